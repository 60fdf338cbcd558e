// CZVString::Format goes through wvsprintfA: the same table runs against the Windows function under Wine and
// against the native stand-in, so the two cannot drift apart.
#include <gtest/gtest.h>

#include <string>

#include "foundation/ZVString.h"

namespace {

struct FormatCase {
    const char* proves;
    CZVString result;
    const char* expected;
};

}  // namespace

TEST(Format, ConversionsTheProgramUses)
{
    const FormatCase cases[] = {
        {"plain decimal", CZVString::Format("%d", 42), "42"},
        {"negative decimal", CZVString::Format("%d", -7), "-7"},
        {"long decimal", CZVString::Format("%ld", 123456789L), "123456789"},
        {"i is decimal", CZVString::Format("%i", -12), "-12"},
        {"unsigned, full range", CZVString::Format("%u", 4294967295u), "4294967295"},
        {"lower hex", CZVString::Format("%x", 0xBEEFu), "beef"},
        {"upper hex", CZVString::Format("%X", 0xBEEFu), "BEEF"},
        {"hex prefix", CZVString::Format("%#x", 255u), "0xff"},
        {"zero-padded hex", CZVString::Format("%08x", 0xBEEFu), "0000beef"},
        {"character", CZVString::Format("[%c]", 'A'), "[A]"},
        {"width pads with spaces on the left", CZVString::Format("[%5d]", 42), "[   42]"},
        {"minus pads on the right", CZVString::Format("[%-5d]", 42), "[42   ]"},
        {"zero flag", CZVString::Format("[%05d]", 42), "[00042]"},
        {"zero flag keeps the sign first", CZVString::Format("[%05d]", -42), "[-0042]"},
        {"precision gives minimum digits", CZVString::Format("[%.3d]", 5), "[005]"},
        {"width never cuts", CZVString::Format("[%2d]", 12345), "[12345]"},
        {"string", CZVString::Format("%s", "abc"), "abc"},
        {"string width", CZVString::Format("[%5s]", "ab"), "[   ab]"},
        {"string left-aligned", CZVString::Format("[%-5s]", "ab"), "[ab   ]"},
        {"string precision cuts", CZVString::Format("[%.2s]", "abcdef"), "[ab]"},
        {"percent sign", CZVString::Format("%d%%", 50), "50%"},
        {"path format", CZVString::Format("%s\\%s", "C:\\Game", "a.txt"), "C:\\Game\\a.txt"},
        {"Shift-JIS text passes unchanged", CZVString::Format("ディスク%d", 2), "ディスク2"},
        {"Shift-JIS argument", CZVString::Format("%sインストーラ", "表ソ"), "表ソインストーラ"},
        {"several arguments in order", CZVString::Format("%s=%d,%u,%x", "n", -1, 7u, 10u), "n=-1,7,a"},
        {"empty format", CZVString::Format(""), ""},
        {"null format", CZVString::Format(nullptr), ""},
        {"format that expands to nothing", CZVString::Format("%s", ""), ""},
    };
    for (const FormatCase& c : cases)
        EXPECT_STREQ(c.expected, c.result.GetString()) << c.proves;
}

TEST(Format, ResultIsCutAt1023Bytes)
{
    std::string longArgument(2000, 'x');
    CZVString fromArgument = CZVString::Format("ab%s", longArgument.c_str());
    EXPECT_EQ(1023, fromArgument.GetLength());
    EXPECT_EQ(std::string("ab") + std::string(1021, 'x'), fromArgument.GetString());

    std::string longFormat(1500, 'y');
    CZVString fromFormat = CZVString::Format(longFormat.c_str());
    EXPECT_EQ(std::string(1023, 'y'), fromFormat.GetString());

    std::string exact(1023, 'z');
    EXPECT_EQ(exact, CZVString::Format("%s", exact.c_str()).GetString());
}
