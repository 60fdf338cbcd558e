#include "uninstall/ShellFolders.h"

#include <shlobj.h>

#include "foundation/FileCalls.h"
#include "foundation/PathText.h"
#include "foundation/RegProfile.h"
#include "foundation/ShellCalls_win.h"

namespace {

// Shell folders that exist only on some systems (CSIDL_PROFILE from Windows 2000, the common ones on the NT
// family): asking for a missing one simply fails.
const int kProtectedShellFolders[] = {
    CSIDL_PROGRAM_FILES,
    CSIDL_PROFILE,
    CSIDL_DESKTOPDIRECTORY,
    CSIDL_COMMON_DESKTOPDIRECTORY,
    CSIDL_PERSONAL,
    CSIDL_STARTMENU,
    CSIDL_COMMON_STARTMENU,
    CSIDL_PROGRAMS,
    CSIDL_COMMON_PROGRAMS,
};

void AddFolder(std::vector<CZVString>* folders, const char* path)
{
    if (path[0] != '\0')
        folders->push_back(CZVString(path));
}

} // namespace

std::vector<CZVString> GetSystemFolders()
{
    std::vector<CZVString> folders;
    char path[kPathBytes];
    UINT length = ZVGetWindowsDirectory(path, sizeof(path));
    if (length > 0 && length < sizeof(path))
        AddFolder(&folders, path);
    length = ZVGetSystemDirectory(path, sizeof(path));
    if (length > 0 && length < sizeof(path))
        AddFolder(&folders, path);

    CRegProfile profile;
    profile.SetRoot(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion");
    if (profile.OpenReadOnly(nullptr)) {
        if (profile.GetString("ProgramFilesDir", path, sizeof(path)))
            AddFolder(&folders, path);
        profile.Close();
    }

    IMalloc* allocator = nullptr;
    if (SUCCEEDED(ZVSHGetMalloc(&allocator)) && allocator != nullptr) {
        for (int folderId : kProtectedShellFolders) {
            if (GetShellFolderPath(allocator, folderId, path))
                AddFolder(&folders, path);
        }
        allocator->Release();
    }
    return folders;
}
