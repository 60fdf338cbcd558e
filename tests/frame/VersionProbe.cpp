// Started by the Windows version test under a given Wine version mode: classifies the system it finds and
// reports the class code as its exit code, and the version record on its output.
#include <cstdio>

#include "startup/InstallApp.h"
#include "foundation/WindowsVersion_win.h"

int main()
{
    WINDOWS_VERSION_RECORD record;
    if (ReadRunningWindowsVersion(&record)) {
        printf("platform %u, version %u.%u, build %u, service pack \"%s\" (major %u), suite 0x%04x\n",
            record.platformId, record.majorVersion, record.minorVersion, record.buildNumber, record.servicePackText,
            record.servicePackMajor, record.suiteMask);
    }
    GetApp()->CheckWindowsVersion(0, kWindows2000);
    return GetApp()->GetWindowsClassCode();
}
