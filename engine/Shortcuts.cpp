// The install step that makes the shell links: the game, its uninstaller and the script's extra links in a group
// folder of the Start menu, and the game on the desktop, for the current user or for all users. Each link made
// is logged as a "mkshortcut" line, so that the undo and the uninstaller delete it again.
#include "engine/EngineTexts.h"
#include "foundation/PathText.h"
#include "foundation/ShellFolder.h"
#include "ui/MainWnd.h"
#include "uninstall/InstallLog.h"

#include <shlobj.h>

namespace {

// What one link file points at.
struct LINK_TARGET {
    const char* fileName; // relative to the install folder
    const char* arguments;
    int iconIndex; // in the target itself
};

IShellLinkA* NewShellLink()
{
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(
            CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, reinterpret_cast<void**>(&link))))
        return nullptr;
    return link;
}

// Makes linkPath point at the target in installedDir (the folder it lies in and works in) and logs it. A link whose
// file or target path would not fit a path buffer is skipped rather than made under a cut name, as is one whose object
// offers no IPersistFile; neither is logged. The line is logged before the save, and a failed save goes unnoticed.
void MakeLink(
    IShellLinkA* link, const CZVString& linkPath, const char* installedDir, const LINK_TARGET& target, CMainWnd* log)
{
    CZVString targetPath = CZVString::Format("%s%s", installedDir, target.fileName);
    if (linkPath.GetLength() >= kPathBytes || targetPath.GetLength() >= kPathBytes)
        return;
    link->SetPath(targetPath.GetString());
    link->SetDescription("");
    link->SetIconLocation(targetPath.GetString(), target.iconIndex);
    link->SetWorkingDirectory(installedDir);
    link->SetArguments(target.arguments);
    link->SetShowCmd(SW_SHOWNORMAL);
    IPersistFile* file = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) || file == nullptr)
        return;
    WCHAR widePath[kPathBytes];
    widePath[0] = L'\0';
    MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, linkPath.GetString(), -1, widePath, kPathBytes);
    log->AppendLogLine(FormatLogShortcut(linkPath.GetString()));
    file->Save(widePath, TRUE);
    file->Release();
}

} // namespace

bool CMainWnd::CreateShortcuts()
{
    if (!settings.startmenushortcut && !settings.desktopshortcut)
        return true;
    AppendLogLine(kLogShortcutsBegin);

    HRESULT comResult = CoInitialize(nullptr);
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)) || allocator == nullptr) {
        if (SUCCEEDED(comResult))
            CoUninitialize();
        return false;
    }

    bool result = true;
    const LINK_TARGET game = {settings.executefile, settings.executecommand, 0};
    if (settings.startmenushortcut) {
        char programs[kPathBytes];
        if (!GetShellFolderPath(
                allocator, settings.forAllUsers ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS, programs, hwnd)) {
            MessageBox(ZV_SHORTCUT_NO_START_MENU, ZV_CAPTION_FAILURE, MB_ICONERROR | MB_SETFOREGROUND);
            result = false;
        } else {
            // With an empty startmenudir the group is the programs folder itself, written with a backslash.
            CZVString group = CZVString::Format("%s\\%s", programs, settings.startmenudir);
            if (group.GetLength() < kPathBytes) {
                MakeDirectoryPath(group.GetString());
                IShellLinkA* link = NewShellLink();
                if (link != nullptr) {
                    const char* folder = group.GetString();
                    MakeLink(link, CZVString::Format(ZV_SHORTCUT_LINK, folder, settings.gametitle), installedDir, game,
                        this);
                    // The kept copy where the install made one, told where its script and log are.
                    bool kept = keptFolder[0] != '\0';
                    CZVString uninstallArguments = kept
                        ? CZVString("-dir \"") + keptFolder + "\"" + settings.uninstallcommand
                        : CZVString(settings.uninstallcommand);
                    const LINK_TARGET uninstaller = {moduleFileName, uninstallArguments.GetString(), 1};
                    MakeLink(link, CZVString::Format(ZV_SHORTCUT_UNINSTALL_LINK, folder, settings.gametitle),
                        kept ? keptFolder : installedDir, uninstaller, this);
                    for (const SHORTCUT_ENTRY& entry : shortcuts) {
                        const LINK_TARGET extra = {entry.target, entry.arguments, entry.iconIndex};
                        MakeLink(
                            link, CZVString::Format(ZV_SHORTCUT_LINK, folder, entry.name), installedDir, extra, this);
                    }
                    link->Release();
                }
            }
        }
    }

    if (result && settings.desktopshortcut) {
        char desktop[kPathBytes];
        if (!GetShellFolderPath(
                allocator, settings.forAllUsers ? CSIDL_COMMON_DESKTOPDIRECTORY : CSIDL_DESKTOP, desktop, hwnd)) {
            MessageBox(ZV_SHORTCUT_NO_DESKTOP, ZV_CAPTION_FAILURE, MB_ICONERROR | MB_SETFOREGROUND);
            result = false;
        } else {
            IShellLinkA* link = NewShellLink();
            if (link != nullptr) {
                MakeLink(
                    link, CZVString::Format(ZV_SHORTCUT_LINK, desktop, settings.gametitle), installedDir, game, this);
                link->Release();
            }
        }
    }

    allocator->Release();
    if (SUCCEEDED(comResult))
        CoUninitialize();
    return result;
}
