#include "foundation/WindowsVersion.h"

namespace {

// In code order: codes 0 to 5 at positions 0 to 5, codes 100 to 108 at positions 6 to 14.
const char* const kClassNames[15] = {
    "Windows 95",
    "Windows 95 OSR2",
    "Windows 98",
    "Windows 98 SE",
    "Windows Me",
    "未知のWindows 9x系",
    "Windows NT",
    "Windows NT 3.51",
    "Windows NT 4.00",
    "Windows 2000",
    "Windows 2000 SP2",
    "Windows XP Home",
    "Windows XP Professional",
    ".NET Server",
    "未知のWindows NT系",
};

bool Is9xFamily(int32_t code)
{
    return code >= kWindows95 && code <= kWindows9xNewer;
}

bool IsNtFamily(int32_t code)
{
    return code >= kWindowsNt && code <= kWindowsNtNewer;
}

char ServicePackLetter(const WINDOWS_VERSION_RECORD& record)
{
    if (record.servicePackText[0] == '\0')
        return '\0';
    char letter = record.servicePackText[1];
    return (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 'a' + 'A') : letter;
}

int32_t Classify9x(const WINDOWS_VERSION_RECORD& record)
{
    uint32_t major = (record.buildNumber >> 24) & 0xFF;
    uint32_t minor = (record.buildNumber >> 16) & 0xFF;
    if (major < 4)
        return kWindowsUnknown;
    if (major > 4)
        return kWindows9xNewer;
    if (minor < 10)
        return ServicePackLetter(record) == 'C' ? kWindows95Osr2 : kWindows95;
    if (minor < 90)
        return ServicePackLetter(record) == 'A' ? kWindows98Se : kWindows98;
    return kWindowsMe;
}

int32_t ClassifyNt(const WINDOWS_VERSION_RECORD& record)
{
    uint32_t major = record.majorVersion;
    uint32_t minor = record.minorVersion;
    if (major < 3)
        return kWindowsUnknown;
    if (major == 3)
        return minor < 51 ? kWindowsUnknown : kWindowsNt351;
    if (major == 4)
        return kWindowsNt4;
    if (major > 5)
        return kWindowsNtNewer;
    if (minor == 0)
        return record.servicePackMajor >= 2 ? kWindows2000Sp2 : kWindows2000;
    if (minor == 1) {
        if (record.suiteMask & kSuiteEnterprise)
            return kWindowsNetServer;
        if (record.suiteMask & kSuitePersonal)
            return kWindowsXpHome;
        return kWindowsXpProfessional;
    }
    return kWindowsNtNewer;
}

} // namespace

int32_t ClassifyWindowsVersion(const WINDOWS_VERSION_RECORD& record)
{
    switch (record.platformId) {
    case kPlatformWin32Windows: return Classify9x(record);
    case kPlatformWin32Nt: return ClassifyNt(record);
    default: return kWindowsUnknown;
    }
}

bool IsWindowsAtLeast(int32_t code, int32_t min9x, int32_t minNT)
{
    int32_t minimum;
    if (Is9xFamily(code))
        minimum = min9x;
    else if (IsNtFamily(code))
        minimum = minNT;
    else
        return false;
    if (minimum == kRefuseFamily)
        return false;
    return code >= minimum;
}

const char* GetWindowsClassName(int32_t code)
{
    if (Is9xFamily(code))
        return kClassNames[code];
    if (IsNtFamily(code))
        return kClassNames[6 + (code - kWindowsNt)];
    return nullptr;
}
