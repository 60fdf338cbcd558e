// The program's own code page 932, walked whole in both directions, and the cases that name why it exists.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "foundation/ShiftJis.h"

namespace {

std::string Escape(char16_t unit)
{
    char digits[8];
    snprintf(digits, sizeof(digits), "%04X", static_cast<unsigned>(unit));
    return std::string(kForeignEscape) + digits;
}

std::string Encode(const std::u16string& text)
{
    return EncodeShiftJis(text.data(), text.size());
}

// Windows' order among the codes of one character: JIS X 0208 (and single bytes), NEC row 13, the IBM extensions,
// the NEC-selected copies of the IBM extensions last.
int Rank(unsigned code)
{
    if (code < 0x8700)
        return 0;
    if (code < 0x8800)
        return 1;
    return code >= 0xFA40 ? 2 : 3;
}

unsigned CodeValue(const std::string& bytes)
{
    return bytes.size() == 1 ? static_cast<unsigned char>(bytes[0])
                             : (static_cast<unsigned char>(bytes[0]) << 8) | static_cast<unsigned char>(bytes[1]);
}

} // namespace

TEST(ShiftJis, EveryCodeDecodesAndEncodesBackToItsPreferredCode)
{
    int singles = 0, pairs = 0, notPreferred = 0;
    for (unsigned code = 1; code <= 0xFFFF; code++) {
        unsigned char lead = static_cast<unsigned char>(code >> 8), last = static_cast<unsigned char>(code);
        if (lead == 0 ? IsShiftJisLeadByte(last) : !IsShiftJisLeadByte(lead) || last == 0)
            continue;
        std::string bytes = lead == 0 ? std::string(1, static_cast<char>(last)) : std::string{char(lead), char(last)};
        std::u16string unit;
        if (!DecodeShiftJis(bytes.c_str(), &unit)) {
            EXPECT_NE(0, lead) << "every single byte that leads nothing is a character: 0x" << std::hex << code;
            continue;
        }
        ASSERT_EQ(1u, unit.size()) << std::hex << code;
        (lead == 0 ? singles : pairs)++;
        std::string encoded = Encode(unit);
        ASSERT_TRUE(encoded.size() == 1 || encoded.size() == 2) << std::hex << code;
        unsigned preferred = CodeValue(encoded);
        if (preferred != code) {
            notPreferred++;
            EXPECT_LT(Rank(preferred), Rank(code)) << std::hex << code << " is encoded as " << preferred;
            std::u16string back;
            EXPECT_TRUE(DecodeShiftJis(encoded.c_str(), &back) && back == unit) << std::hex << code;
        }
    }
    EXPECT_EQ(195, singles); // 0x00 aside: ASCII, 0x80, 0xA0, the half-width katakana, 0xFD-0xFF
    EXPECT_EQ(9604, pairs); // 7,724 characters and the user-defined area's 1,880
    EXPECT_EQ(398, notPreferred);
}

TEST(ShiftJis, EveryUnitEncodesToACodeOrAnEscapeThatDecodesBackToIt)
{
    int withCode = 0;
    for (unsigned value = 1; value <= 0xFFFF; value++) {
        std::u16string unit(1, static_cast<char16_t>(value));
        std::string encoded = Encode(unit);
        if (encoded.size() == static_cast<size_t>(kForeignEscapeBytes))
            ASSERT_EQ(Escape(unit[0]), encoded);
        else
            withCode++;
        std::u16string back;
        ASSERT_TRUE(DecodeShiftJis(encoded.c_str(), &back)) << std::hex << value;
        ASSERT_EQ(unit, back) << std::hex << value;
    }
    EXPECT_EQ(195 + 9604 - 398, withCode); // each code's character once, U+0000 aside
}

// The escapes are written "\x81\177" and digits: an octal escape ends after three digits, a hexadecimal one does not.
TEST(ShiftJis, NamedCharactersAndTheirCodes)
{
    struct Case {
        const char* what;
        std::u16string text;
        std::string bytes; // the encoding, which decodes back to text
        std::string alsoDecoding; // another code of the same text, or empty
    } const cases[] = {
        {"JIS X 0208 before NEC row 13", u"\u2252", "\x81\xE0", "\x87\x90"},
        {"NEC row 13 before the IBM extensions", u"\u2160", "\x87\x54", "\xFA\x4A"},
        {"JIS X 0208 before both copies of the IBM extensions", u"\uFFE2", "\x81\xCA", "\xEE\xF9"},
        {"an IBM kanji as the IBM extensions hold it", u"\u7E8A", "\xFA\x5C", "\xED\x40"},
        {"small Roman numerals as the IBM extensions hold them", u"\u2170", "\xFA\x40", "\xEE\xEF"},
        {"0x5C and 0x7E are ASCII, not yen and overline", u"\\~", "\x5C\x7E", ""},
        {"the half-width katakana are single bytes", u"\uFF61\uFF71\uFF9F", "\xA1\xB1\xDF", ""},
        {"the single bytes Windows maps beside them", u"\u0080\uF8F0\uF8F1\uF8F3", "\x80\xA0\xFD\xFF", ""},
        {"the user-defined area", u"\uE000\uE0BC\uE757", "\xF0\x40\xF1\x40\xF9\xFC", ""},
        {"Cyrillic and Greek of JIS X 0208", u"\u0410\u044F\u0401\u03B1\u03A9",
            "\x84\x40\x84\x91\x84\x46\x83\xBF\x83\xB6", ""},
        {"the full-width tilde, not the wave dash", u"\uFF5E", "\x81\x60", ""},
        {"a yen sign has no code: no best fit to 0x5C", u"\u00A5", "\x81\17700A5", ""},
        {"neither has the wave dash, nor an accented letter", u"\u301C\u00E9", "\x81\177301C\x81\17700E9", ""},
        {"Ukrainian letters beside basic Cyrillic", u"\u0407\u0457\u0414", "\x81\1770407\x81\1770457\x84\x44", ""},
        {"a pair of surrogates, one escape each", u"a\U0001F600", "a\x81\177D83D\x81\177DE00", ""},
        {"a lone surrogate", u"\xDC00", "\x81\177DC00", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.bytes, Encode(c.text));
        std::u16string decoded;
        EXPECT_TRUE(DecodeShiftJis(c.bytes.c_str(), &decoded));
        EXPECT_EQ(c.text, decoded);
        EXPECT_EQ(c.bytes.find(kForeignEscape) != std::string::npos, HoldsForeignEscape(c.bytes.c_str()));
        if (!c.alsoDecoding.empty()) {
            EXPECT_TRUE(DecodeShiftJis(c.alsoDecoding.c_str(), &decoded));
            EXPECT_EQ(c.text, decoded);
        }
    }
}

TEST(ShiftJis, BytesThatMeanNoCharacterAreRefusedOrShownAsADot)
{
    struct Case {
        const char* what;
        const char* bytes;
        std::u16string shown; // with kReplaceBroken
    } const cases[] = {
        {"a lead byte that ends the text", "a\x81", u"a\u30FB"},
        {"a lead byte before a byte that is no trail byte", "\x81\x20z", u"\u30FBz"},
        {"a pair that the code page leaves unassigned", "\x85\x40\x81\x40", u"\u30FB\u3000"},
        {"an escape in lower-case hexadecimal", "\x81\17700e9", u"\u30FB00e9"},
        {"an escape cut short by the end", "\x81\17700E", u"\u30FB00E"},
        {"an escape with a digit that is no hexadecimal digit", "\x81\17700G9", u"\u30FB00G9"},
        {"an escape of a character that has a code: a backslash", "\x81\177005C", u"\u30FB005C"},
        {"an escape of U+0000, which would cut the name", "\x81\1770000", u"\u30FB0000"},
        {"0x7F after another lead byte opens no escape", "\x82\x7F!", u"\u30FB!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::u16string decoded = u"left over";
        EXPECT_FALSE(DecodeShiftJis(c.bytes, &decoded, kRefuseBroken));
        EXPECT_TRUE(decoded.empty());
        EXPECT_TRUE(DecodeShiftJis(c.bytes, &decoded, kReplaceBroken));
        EXPECT_EQ(c.shown, decoded);
    }
}
