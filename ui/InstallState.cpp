// The install state: whether the title is installed, where and for whom, read from the title's registry key under
// the current user and, from Windows 2000 on, under the default user; and whether DirectX is new enough
// (DirectX.cpp).
#include "foundation/FileCalls.h"
#include "foundation/RegProfile.h"
#include "foundation/WindowsVersion_win.h"
#include "log/TitleFiles.h"
#include "ui/MainWnd.h"
#include "ui/MenuTexts.h"

namespace {

// Looks for the install folder in the title's key below root\basePath. True when the title counts as installed
// there; *stop is set when the folder could not be made current, after which nothing more is read.
bool FindInstallation(HKEY root, const char* basePath, const INSTALL_SETTINGS& settings, char* installedDir, bool* stop)
{
    CRegProfile profile;
    profile.SetRoot(root, basePath);
    if (!profile.Open(settings.registrykey))
        return false;
    bool installed = false;
    // A value that does not fit the folder buffer is refused by GetString: such a title counts as not installed.
    char folder[kPathBytes];
    if (profile.GetString(settings.registryinstalldirvalue, folder, sizeof(folder))) {
        lstrcpynA(installedDir, folder, kPathBytes);
        if (settings.executefile[0] == '\0') {
            installed = true;
        } else if (!ZVSetCurrentDirectory(installedDir)) {
            *stop = true;
        } else {
            WIN32_FIND_DATAA found;
            HANDLE search = ZVFindFirstFile(settings.executefile, &found);
            if (search != INVALID_HANDLE_VALUE) {
                FindClose(search);
                installed = true;
            }
        }
    }
    profile.Close();
    return installed;
}

} // namespace

void CMainWnd::ReadInstallState()
{
    installedDir[0] = '\0';
    isInstalled = isInstalledForAllUsers = hasAdminRights = isDirectXReady = false;
    char currentDir[kPathBytes] = "";
    DWORD length = ZVGetCurrentDirectory(sizeof(currentDir), currentDir);
    if (length >= sizeof(currentDir))
        currentDir[0] = '\0';
    HMODULE directXLibrary = nullptr;

    if (settings.registryroot[0] == '\0' || settings.registrykey[0] == '\0') {
        MessageBox(ZV_MENU_NO_REGISTRY, ZV_CAPTION_WARNING, MB_ICONERROR);
    } else {
        bool stop = false;
        char basePath[kPathBytes];
        wsprintfA(basePath, "Software\\%s", settings.registryroot);
        if (FindInstallation(HKEY_CURRENT_USER, basePath, settings, installedDir, &stop))
            isInstalled = true;
        if (!stop && IsRunningWindowsAtLeast(kRefuseFamily, kWindows2000)) {
            wsprintfA(basePath, ".DEFAULT\\Software\\%s", settings.registryroot);
            if (FindInstallation(HKEY_USERS, basePath, settings, installedDir, &stop))
                isInstalled = isInstalledForAllUsers = true;
            if (!stop) {
                CRegProfile probe;
                probe.SetRoot(HKEY_USERS, ".DEFAULT\\Software");
                if (probe.Create("")) {
                    hasAdminRights = true;
                    probe.Close();
                }
            }
        } else if (!stop) {
            hasAdminRights = true;
        }
        // A complete install keeps its log where only administrators can write: that log says where the title
        // lies and for whom, whatever the user's own key says.
        KEPT_LOG kept;
        if (ReadKeptLog(settings.gametitle, settings.installsubdir, &kept)) {
            CopyCutAtChar(installedDir, kPathBytes, kept.installFolder.GetString());
            isInstalled = true;
            isInstalledForAllUsers = kept.forAllUsers;
        }
        if (!stop)
            QueryDirectXVersion(&directXLibrary);
    }

    if (currentDir[0] != '\0')
        ZVSetCurrentDirectory(currentDir);
    if (directXLibrary != nullptr)
        FreeLibrary(directXLibrary);
}
