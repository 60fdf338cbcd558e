// The settings dialog (template 102): the install folder (chosen only through the folder browser), the install
// type, the shortcuts and, for an administrator from Windows 2000 on, the install for all users. The choices are
// written into settings only when "次へ" accepts them.
#include "engine/InstallPlan.h"
#include "foundation/PathText.h"
#include "foundation/SystemFallbacks.h"
#include "foundation/WindowCalls_win.h"
#include "foundation/WindowsVersion_win.h"
#include "resources/resource.h"
#include "ui/BrowseFolder.h"
#include "ui/DialogFont_win.h"
#include "ui/MainWnd.h"
#include "ui/MenuTexts.h"

namespace {

const UINT kBrowseFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;

bool IsChecked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

// The install types the dialog shows: at most the ten radio buttons.
int VisibleTypeCount(const INSTALL_SETTINGS& settings)
{
    if (settings.installtypecount < 0)
        return 0;
    return settings.installtypecount < kMaxInstallTypes ? settings.installtypecount : kMaxInstallTypes;
}

} // namespace

bool CMainWnd::OffersAllUsers()
{
    return IsRunningWindowsAtLeast(kRefuseFamily, kWindows2000);
}

INT_PTR CALLBACK CMainWnd::SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        UseJapaneseDialogFont(dialog);
        if (lParam != 0)
            reinterpret_cast<CMainWnd*>(lParam)->InitSettingsDialog(dialog);
        FitControlsToTexts(dialog);
        return TRUE;
    }
    CMainWnd* window = reinterpret_cast<CMainWnd*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (window == nullptr || message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_BROWSE: window->BrowseInstallFolder(dialog); return TRUE;
    case IDOK: window->AcceptSettings(dialog); return TRUE;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
    default: return FALSE;
    }
}

void CMainWnd::InitSettingsDialog(HWND dialog)
{
    // Always taken from installdir, so that a folder browsed in an earlier, cancelled dialog is never accepted
    // without being shown.
    CopyCutAtChar(chosenBaseDir, sizeof(chosenBaseDir), settings.installdir);
    if (chosenBaseDir[0] != '\0')
        ShowChosenFolder(dialog);

    // The script's desktop shortcut is offered but left to the user; the start-menu one is proposed.
    if (settings.desktopshortcut)
        CheckDlgButton(dialog, IDC_DESKTOP_SHORTCUT, BST_UNCHECKED);
    else
        EnableWindow(GetDlgItem(dialog, IDC_DESKTOP_SHORTCUT), FALSE);
    if (settings.startmenushortcut)
        CheckDlgButton(dialog, IDC_STARTMENU_SHORTCUT, BST_CHECKED);
    else
        EnableWindow(GetDlgItem(dialog, IDC_STARTMENU_SHORTCUT), FALSE);

    int typeCount = VisibleTypeCount(settings);
    for (int i = 0; i < kMaxInstallTypes; i++) {
        HWND radio = GetDlgItem(dialog, IDC_TYPE_FIRST + i);
        if (i >= typeCount) {
            ::ShowWindow(radio, SW_HIDE);
            continue;
        }
        CZVString text
            = CZVString::Format(ZV_SETTINGS_TYPE_TEXT, settings.installtypename[i], settings.installrequire[i]);
        SetProgramWindowText(radio, text.GetString());
        ::ShowWindow(radio, SW_SHOW);
        if (i == settings.installtype)
            CheckDlgButton(dialog, IDC_TYPE_FIRST + i, BST_CHECKED);
    }

    if (OffersAllUsers() && hasAdminRights && settings.allowalluser) {
        CheckDlgButton(dialog, IDC_ALL_USERS, BST_UNCHECKED);
        ::ShowWindow(GetDlgItem(dialog, IDC_ALL_USERS), SW_SHOW);
    }
}

void CMainWnd::ShowChosenFolder(HWND dialog)
{
    char shown[kPathBytes];
    JoinPath(shown, chosenBaseDir, settings.installsubdir);
    SetProgramDlgItemText(dialog, IDC_INSTALL_DIR, shown);
}

void CMainWnd::BrowseInstallFolder(HWND dialog)
{
    CBrowseFolder browser;
    browser.SetOwner(dialog);
    browser.SetTitle(ZV_SETTINGS_BROWSE_TITLE);
    browser.SetFlags(kBrowseFlags);
    browser.SetPath(chosenBaseDir);
    if (browser.Browse() != 1)
        return;
    // A drive root "C:\" is kept as "C:", so that joining it with the sub-folder gives one backslash.
    CopyCutAtChar(chosenBaseDir, sizeof(chosenBaseDir), browser.GetPath());
    RemoveTrailingBackslash(chosenBaseDir);
    ShowChosenFolder(dialog);
}

void CMainWnd::AcceptSettings(HWND dialog)
{
    int chosenType = -1;
    int typeCount = VisibleTypeCount(settings);
    for (int i = 0; i < typeCount && chosenType < 0; i++) {
        if (SendDlgItemMessageA(dialog, IDC_TYPE_FIRST + i, BM_GETCHECK, 0, 0) == BST_CHECKED)
            chosenType = i;
    }
    if (chosenType < 0)
        return;

    // The box is modal to the dialog, so the dialog cannot be pressed again while it asks. A drive whose free
    // space cannot be asked is not checked.
    char root[4];
    FreeSpaceRoot(chosenBaseDir, root);
    uint64_t freeBytes = 0;
    if (GetFreeDiskBytes(root, &freeBytes) && IsShortOfSpace(freeBytes, settings.installrequire[chosenType])
        && ShowProgramMessageBox(dialog, ZV_SETTINGS_LOW_SPACE, ZV_CAPTION_WARNING, MB_OKCANCEL | MB_ICONQUESTION)
            != IDOK)
        return;

    settings.installtype = chosenType;
    CopyCutAtChar(settings.installdir, sizeof(settings.installdir), chosenBaseDir);
    settings.desktopshortcut = IsChecked(dialog, IDC_DESKTOP_SHORTCUT);
    settings.startmenushortcut = IsChecked(dialog, IDC_STARTMENU_SHORTCUT);
    if (OffersAllUsers())
        settings.forAllUsers = IsChecked(dialog, IDC_ALL_USERS);
    EndDialog(dialog, IDOK);
}
