// The install folder the settings start from: the system's program folder, else the Windows drive's root.
#include "engine/Install.h"
#include "foundation/FileCalls.h"
#include "foundation/RegProfile.h"
#include "foundation/ScopedHandles.h"
#include "foundation/ShellFolder.h"

#include <shlobj.h> // after <windows.h>, which it needs

namespace {

// The path of a shell folder; false when the shell has none.
bool GetShellFolder(int folderId, char* path)
{
    CComInitialization com;
    return GetShellFolderPath(folderId, path);
}

// The root of the drive that holds the Windows folder ("C:\"); false when it cannot be had.
bool GetWindowsDriveRoot(char* path)
{
    UINT length = ZVGetWindowsDirectory(path, kPathBytes);
    if (length < 3 || length >= static_cast<UINT>(kPathBytes) || path[1] != ':')
        return false;
    path[3] = '\0';
    return true;
}

} // namespace

void ChooseDefaultInstallFolder(INSTALL_SETTINGS* settings)
{
    char folder[kPathBytes] = "";
    bool found = false;
    CRegProfile windowsKey;
    windowsKey.SetRoot(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion");
    if (windowsKey.Open(nullptr)) {
        found = windowsKey.GetString("ProgramFilesDir", folder, sizeof(folder)) && folder[0] != '\0';
        windowsKey.Close();
    }
    found = found || GetShellFolder(CSIDL_PROGRAM_FILES, folder) || GetWindowsDriveRoot(folder);
    if (found)
        CopyCutAtChar(settings->installdir, sizeof(settings->installdir), folder);
}
