// The program's texts are Shift-JIS on both sides: the compiler's literals and the lead-byte table agree.
#include <gtest/gtest.h>

#include <cstring>

#include "foundation/ShiftJis.h"

TEST(CodePage, LiteralsAreShiftJis)
{
    // "ソ" and "表" end in 0x5C, the byte of a backslash: the cases every double-byte aware scan must survive.
    EXPECT_EQ(0, memcmp("ソ", "\x83\x5C", 3));
    EXPECT_EQ(0, memcmp("表", "\x95\x5C", 3));
    EXPECT_EQ(0, memcmp("ア", "\x83\x41", 3));
}

TEST(CodePage, LeadBytesAreThoseOfCodePage932)
{
    for (int byte = 0; byte < 256; byte++) {
        bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        EXPECT_EQ(lead, IsShiftJisLeadByte(static_cast<unsigned char>(byte))) << "byte 0x" << std::hex << byte;
    }
}
