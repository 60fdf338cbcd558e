// The Windows class code of made-up version records, and the minimum check on class codes.
#include <gtest/gtest.h>

#include <cstring>

#include "foundation/WindowsVersion.h"

namespace {

WINDOWS_VERSION_RECORD Win9x(unsigned major, unsigned minor, const char* servicePack)
{
    WINDOWS_VERSION_RECORD record = {};
    record.platformId = kPlatformWin32Windows;
    record.majorVersion = major;
    record.minorVersion = minor;
    record.buildNumber = (major << 24) | (minor << 16) | 950;
    strcpy(record.servicePackText, servicePack);
    return record;
}

WINDOWS_VERSION_RECORD Nt(unsigned major, unsigned minor, unsigned servicePackMajor = 0, unsigned suite = 0)
{
    WINDOWS_VERSION_RECORD record = {};
    record.platformId = kPlatformWin32Nt;
    record.majorVersion = major;
    record.minorVersion = minor;
    record.buildNumber = 2600;
    record.servicePackMajor = static_cast<uint16_t>(servicePackMajor);
    record.suiteMask = static_cast<uint16_t>(suite);
    return record;
}

struct ClassifyCase {
    const char* proves;
    WINDOWS_VERSION_RECORD record;
    int32_t code;
};

const ClassifyCase kClassifyCases[] = {
    {"Windows 95", Win9x(4, 0, ""), kWindows95},
    {"95 with a B service pack is plain 95", Win9x(4, 0, " B"), kWindows95},
    {"95 OSR2 by its C", Win9x(4, 3, " C"), kWindows95Osr2},
    {"OSR2 letter in lower case", Win9x(4, 0, " c"), kWindows95Osr2},
    {"the letter counts only in second place", Win9x(4, 0, "C"), kWindows95},
    {"Windows 98", Win9x(4, 10, ""), kWindows98},
    {"98 SE by its A", Win9x(4, 10, " A"), kWindows98Se},
    {"an A means nothing on 95", Win9x(4, 0, " A"), kWindows95},
    {"a C means nothing on 98", Win9x(4, 10, " C"), kWindows98},
    {"last 98 minor", Win9x(4, 89, ""), kWindows98},
    {"Windows Me", Win9x(4, 90, ""), kWindowsMe},
    {"above Me is still Me", Win9x(4, 99, ""), kWindowsMe},
    {"9x above 4", Win9x(5, 0, ""), kWindows9xNewer},
    {"9x below 4 is not classified", Win9x(3, 95, ""), kWindowsUnknown},
    {"NT 3.50 is not classified", Nt(3, 50), kWindowsUnknown},
    {"NT 3.51", Nt(3, 51), kWindowsNt351},
    {"NT 2 is not classified", Nt(2, 0), kWindowsUnknown},
    {"NT 4.0", Nt(4, 0), kWindowsNt4},
    {"2000", Nt(5, 0), kWindows2000},
    {"2000 SP1", Nt(5, 0, 1), kWindows2000},
    {"2000 SP2", Nt(5, 0, 2), kWindows2000Sp2},
    {"2000 SP4", Nt(5, 0, 4), kWindows2000Sp2},
    {"XP Home", Nt(5, 1, 0, kSuitePersonal), kWindowsXpHome},
    {"XP Professional", Nt(5, 1), kWindowsXpProfessional},
    {".NET Server", Nt(5, 1, 0, kSuiteEnterprise), kWindowsNetServer},
    {"enterprise is tested before personal", Nt(5, 1, 0, kSuiteEnterprise | kSuitePersonal), kWindowsNetServer},
    {"NT 5.2", Nt(5, 2), kWindowsNtNewer},
    {"Vista and 7", Nt(6, 1), kWindowsNtNewer},
    {"Windows 10", Nt(10, 0), kWindowsNtNewer},
    {"an unknown platform", {3, 10, 0, 0, "", 0, 0}, kWindowsUnknown},
    {"Win32s", {0, 3, 11, 0, "", 0, 0}, kWindowsUnknown},
};

struct MinimumCase {
    const char* proves;
    int32_t code;
    int32_t min9x;
    int32_t minNT;
    bool atLeast;
};

const MinimumCase kMinimumCases[] = {
    {"start-up takes any 95 family system", kWindows95, 0, kWindows2000, true},
    {"start-up refuses NT 4", kWindowsNt4, 0, kWindows2000, false},
    {"start-up takes 2000", kWindows2000, 0, kWindows2000, true},
    {"2000 SP2 passes the all-users test", kWindows2000Sp2, kRefuseFamily, kWindows2000, true},
    {"a refused family never passes", kWindows98Se, kRefuseFamily, kWindows2000, false},
    {"Me passes the shell-folder test", kWindowsMe, 4, kWindows2000, true},
    {"98 SE fails the shell-folder test", kWindows98Se, 4, kWindows2000, false},
    {"newer NT passes every NT minimum", kWindowsNtNewer, 0, kWindowsNtNewer, true},
    {"an unclassified system never passes", kWindowsUnknown, 0, 0, false},
    {"a code of no family never passes", 50, 0, 0, false},
    {"a code past the NT codes never passes", 109, 0, 0, false},
    {"the NT refusal", kWindowsXpHome, 0, kRefuseFamily, false},
};

} // namespace

TEST(WindowsVersion, ClassifiesEveryKnownSystem)
{
    for (const ClassifyCase& c : kClassifyCases)
        EXPECT_EQ(c.code, ClassifyWindowsVersion(c.record)) << c.proves;
}

TEST(WindowsVersion, NinetyFiveFamilyReadsItsVersionFromTheBuildNumber)
{
    WINDOWS_VERSION_RECORD record = Win9x(4, 90, "");
    record.majorVersion = 9; // fields the 95 family does not fill reliably are not read
    record.minorVersion = 9;
    EXPECT_EQ(kWindowsMe, ClassifyWindowsVersion(record));
}

TEST(WindowsVersion, MinimumsPerFamily)
{
    for (const MinimumCase& c : kMinimumCases)
        EXPECT_EQ(c.atLeast, IsWindowsAtLeast(c.code, c.min9x, c.minNT)) << c.proves;
}

TEST(WindowsVersion, NamesInCodeOrder)
{
    EXPECT_STREQ("Windows 95", GetWindowsClassName(kWindows95));
    EXPECT_STREQ("未知のWindows 9x系", GetWindowsClassName(kWindows9xNewer));
    EXPECT_STREQ("Windows NT", GetWindowsClassName(kWindowsNt));
    EXPECT_STREQ("Windows 2000 SP2", GetWindowsClassName(kWindows2000Sp2));
    EXPECT_STREQ(".NET Server", GetWindowsClassName(kWindowsNetServer));
    EXPECT_STREQ("未知のWindows NT系", GetWindowsClassName(kWindowsNtNewer));
    EXPECT_EQ(nullptr, GetWindowsClassName(kWindowsUnknown));
    EXPECT_EQ(nullptr, GetWindowsClassName(6));
    EXPECT_EQ(nullptr, GetWindowsClassName(109));
}
