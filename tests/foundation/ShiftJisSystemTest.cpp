// The program's own code page 932 against the system's, code by code: where both know a character they agree, and a
// character the system has no exact code for (it would write its default character) the program escapes.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "foundation/ShiftJis.h"

TEST(ShiftJisSystem, EverySingleAndDoubleByteDecodesAsTheSystemDecodesIt)
{
    int agreed = 0, lenient = 0;
    for (unsigned code = 1; code <= 0xFFFF; code++) {
        unsigned char lead = static_cast<unsigned char>(code >> 8), last = static_cast<unsigned char>(code);
        if (lead != 0 && (!IsShiftJisLeadByte(lead) || last == 0))
            continue;
        char bytes[3] = {};
        int length = 0;
        if (lead != 0)
            bytes[length++] = static_cast<char>(lead);
        bytes[length++] = static_cast<char>(last);
        wchar_t system[4] = {};
        int systemUnits = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, length, system, 4);
        std::u16string ours;
        bool decoded = DecodeShiftJis(bytes, &ours);
        if (decoded && systemUnits == 0) {
            // The single bytes mapped to the private use area: the system takes them only when it is not strict.
            systemUnits = MultiByteToWideChar(932, 0, bytes, length, system, 4);
            lenient += systemUnits == 1 && system[0] >= 0xE000 && system[0] <= 0xF8FF;
        }
        if (decoded && ours.size() == 1) {
            ASSERT_EQ(1, systemUnits) << "0x" << std::hex << code;
            ASSERT_EQ(static_cast<unsigned>(ours[0]), static_cast<unsigned>(system[0])) << "0x" << std::hex << code;
            agreed++;
        } else if (systemUnits == 1) {
            ADD_FAILURE() << "the system decodes 0x" << std::hex << code << " as U+"
                          << static_cast<unsigned>(system[0]);
        }
    }
    EXPECT_EQ(195 + 9604, agreed);
    EXPECT_EQ(4, lenient); // 0xA0, 0xFD-0xFF
}

TEST(ShiftJisSystem, EveryUnitEncodesAsTheSystemEncodesItWithoutBestFit)
{
    int escaped = 0;
    for (unsigned value = 1; value <= 0xFFFF; value++) {
        wchar_t unit = static_cast<wchar_t>(value);
        char system[8] = {};
        BOOL usedDefault = FALSE;
        int systemBytes
            = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &unit, 1, system, sizeof(system), nullptr, &usedDefault);
        char16_t ourUnit = static_cast<char16_t>(value);
        std::string ours = EncodeShiftJis(&ourUnit, 1);
        if (systemBytes <= 0 || usedDefault) {
            ASSERT_TRUE(ours.size() == static_cast<size_t>(kForeignEscapeBytes) && HoldsForeignEscape(ours.c_str()))
                << "U+" << std::hex << value << " has no code in the system's table, but ours gives it one";
            escaped++;
        } else {
            ASSERT_EQ(std::string(system, systemBytes), ours) << "U+" << std::hex << value;
        }
    }
    EXPECT_EQ(0xFFFF - (195 + 9604 - 398), escaped);
}
