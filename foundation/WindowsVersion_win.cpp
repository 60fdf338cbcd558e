#include "foundation/WindowsVersion_win.h"

#include <cstring>

bool ReadRunningWindowsVersion(WINDOWS_VERSION_RECORD* record)
{
    memset(record, 0, sizeof(*record));
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExA(&info))
        return false;
    record->platformId = info.dwPlatformId;
    record->majorVersion = info.dwMajorVersion;
    record->minorVersion = info.dwMinorVersion;
    record->buildNumber = info.dwBuildNumber;
    lstrcpynA(record->servicePackText, info.szCSDVersion, sizeof(record->servicePackText));
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion == 5) {
        // Only NT 5.x is told apart by its service pack and suite; the extended record is not known before NT 4 SP6.
        OSVERSIONINFOEXA extended = {};
        extended.dwOSVersionInfoSize = sizeof(extended);
        if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended))) {
            record->servicePackMajor = extended.wServicePackMajor;
            record->suiteMask = extended.wSuiteMask;
        }
    }
    return true;
}

int32_t RunningWindowsClass()
{
    WINDOWS_VERSION_RECORD record;
    return ReadRunningWindowsVersion(&record) ? ClassifyWindowsVersion(record) : kWindowsUnknown;
}

bool IsRunningWindowsAtLeast(int32_t min9x, int32_t minNT)
{
    static const int32_t code = RunningWindowsClass();
    return IsWindowsAtLeast(code, min9x, minNT);
}
