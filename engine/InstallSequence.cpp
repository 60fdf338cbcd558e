// The copy dialog as the install runs it, and the default install folder the settings dialog starts from.
#include "foundation/RegProfile.h"
#include "foundation/ScopedHandles.h"
#include "foundation/ShellFolder.h"
#include "resources/resource.h"
#include "startup/UnattendedReport.h"
#include "ui/MainWnd.h"

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
    UINT length = GetWindowsDirectoryA(path, kPathBytes);
    if (length < 3 || length >= static_cast<UINT>(kPathBytes) || path[1] != ':')
        return false;
    path[3] = '\0';
    return true;
}

} // namespace

bool CMainWnd::RunCopyDialog()
{
    if (!IsUnattendedRun())
        return DialogBoxParamA(
                   hInstance, MAKEINTRESOURCEA(IDD_COPY), hwnd, CopyDialogProc, reinterpret_cast<LPARAM>(this))
            == 1;
    // Nobody can press cancel: the copy runs in the hidden dialog, which only its progress is written to.
    HWND dialog = CreateDialogParamA(
        hInstance, MAKEINTRESOURCEA(IDD_COPY), hwnd, CopyDialogProc, reinterpret_cast<LPARAM>(this));
    if (dialog == nullptr)
        return false;
    bool copied = CopyFiles(dialog) && !copyCancelled;
    DestroyWindow(dialog);
    return copied;
}

void CMainWnd::ChooseDefaultInstallFolder()
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
        CopyCutAtChar(settings.installdir, sizeof(settings.installdir), folder);
}
