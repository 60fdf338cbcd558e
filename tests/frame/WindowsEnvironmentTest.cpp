// The Windows tests run in the environment the installer's users have: a Japanese system, code page 932.
#include <gtest/gtest.h>

#include <windows.h>

TEST(WindowsEnvironment, AnsiCodePageIsShiftJis)
{
    EXPECT_EQ(932u, GetACP());
}

TEST(WindowsEnvironment, ShiftJisConvertsToTheExpectedCharacters)
{
    wchar_t wide[8] = {};
    ASSERT_EQ(3, MultiByteToWideChar(CP_ACP, 0, "ソ表", -1, wide, 8));
    EXPECT_EQ(0x30BD, wide[0]);  // KATAKANA LETTER SO
    EXPECT_EQ(0x8868, wide[1]);  // 表
}
