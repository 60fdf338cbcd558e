#include "foundation/SelfDeletion.h"

#include <cstdio>

#include "foundation/FileCalls.h"
#include "foundation/SystemApi.h"
#include "foundation/Trace.h"
#include "foundation/WindowsVersion_win.h"

bool ScheduleSelfDeletion(const char* path)
{
    // Every 95-family code passes a 95 minimum of 0; every NT code is refused.
    return ScheduleSelfDeletion(path, IsRunningWindowsAtLeast(0, kRefuseFamily));
}

bool ScheduleSelfDeletion(const char* path, bool family95)
{
    if (!family95)
        return ZVMoveFileEx(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;

    // wininit.ini runs before long names exist: the entry needs the 8.3 form, and nothing is written without it.
    char shortPath[kPathBytes];
    DWORD shortLength = ZVGetShortPathName(path, shortPath, sizeof(shortPath));
    if (shortLength == 0 || shortLength >= sizeof(shortPath)) {
        Trace("失敗：ScheduleSelfDeletion 短いパス名が取得できない (%s)\n", path);
        return false;
    }
    char windowsDir[kPathBytes];
    UINT windowsLength = ZVGetWindowsDirectory(windowsDir, sizeof(windowsDir));
    if (windowsLength == 0 || windowsLength >= sizeof(windowsDir))
        return false;
    char iniPath[kPathBytes];
    char backupPath[kPathBytes];
    if (*JoinPath(iniPath, windowsDir, "wininit.ini") == '\0'
        || *JoinPath(backupPath, windowsDir, "wininit.zv") == '\0')
        return false;

    CZVString entry = MakeRenameDeleteEntry(shortPath);
    if (entry.IsEmpty())
        return false;
    CZVString iniText;
    if (!iniText.LoadFromPack(iniPath, nullptr)) {
        CZVString fresh = CZVString("[rename]\r\n").Concat(entry);
        return fresh.Save(iniPath);
    }
    // The first backup is kept: a later run must not replace the system's own file with an edited one.
    rename(iniPath, backupPath);
    return AddRenameEntry(iniText, entry).Save(iniPath);
}
