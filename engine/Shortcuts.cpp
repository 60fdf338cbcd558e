// The install step that makes the shell links: the game, its uninstaller and the script's extra links in a group
// folder of the Start menu, and the game on the desktop, for the current user or for all users. Each link made
// is logged as a "mkshortcut" line, so that the undo and the uninstaller delete it again.
#include "engine/EngineTexts.h"
#include "engine/Install.h"
#include "foundation/Captions.h"
#include "foundation/PathText.h"
#include "foundation/SafeFileName.h"
#include "foundation/ShellCalls_win.h"
#include "foundation/ShellFolder.h"
#include "log/InstallLog.h"

#include <shlobj.h>

namespace {

const int kLinkExtensionBytes = 4; // ".lnk"

// What one link file points at.
struct LINK_TARGET {
    const char* fileName; // relative to folder
    const char* arguments;
    int iconIndex; // in the target itself
    const char* folder; // where the target lies and the link works; null: the install folder
};

// The link file named name (not yet made safe) in folder.
CZVString LinkPath(const char* format, const char* folder, const char* name)
{
    return CZVString::Format(format, folder, SafeFileName(name).GetString());
}

// Makes linkPath point at the target and logs it. A link whose file or target path would not
// fit a path buffer is skipped rather than made under a cut name, as is one whose object offers no IPersistFile;
// neither is logged. The line is logged before the save, so that the undo removes whatever the save left. False
// when the save failed, or a text could not be given to the system, after the message naming the link as the
// shell shows it (its file name without ".lnk").
bool MakeLink(CShellLink* link, const CZVString& linkPath, const LINK_TARGET& target, const char* installedDir,
    CInstall* install, IInstallPerson* person)
{
    const char* folder = target.folder != nullptr ? target.folder : installedDir;
    CZVString targetPath = CZVString::Format("%s%s", folder, target.fileName);
    if (linkPath.GetLength() >= kPathBytes || targetPath.GetLength() >= kPathBytes)
        return true;
    bool described = link->Describe(targetPath.GetString(), target.arguments, folder, target.iconIndex);
    if (!link->CanSave())
        return true;
    install->AppendLogLine(FormatLogShortcut(linkPath.GetString()));
    bool saved = described && link->Save(linkPath.GetString());
    if (!saved) {
        CZVString fileName = linkPath.Mid(FolderPartLength(linkPath.GetString()));
        CZVString name = fileName.Left(fileName.GetLength() - kLinkExtensionBytes);
        person->Tell(CZVString::Format(ZV_SHORTCUT_SAVE_FAILED, name.GetString()).GetString(), ZV_CAPTION_FAILURE,
            MB_ICONERROR | MB_SETFOREGROUND);
    }
    return saved;
}

} // namespace

bool CInstall::CreateShortcuts()
{
    if (!settings.startmenushortcut && !settings.desktopshortcut)
        return true;
    AppendLogLine(kLogShortcutsBegin);

    HRESULT comResult = ZVCoInitialize();
    IMalloc* allocator = nullptr;
    if (FAILED(ZVSHGetMalloc(&allocator)) || allocator == nullptr) {
        if (SUCCEEDED(comResult))
            ZVCoUninitialize();
        return false;
    }

    bool result = true;
    const LINK_TARGET game = {settings.executefile, settings.executecommand, 0, nullptr};
    if (settings.startmenushortcut) {
        char programs[kPathBytes];
        if (!GetShellFolderPath(
                allocator, settings.forAllUsers ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS, programs, nullptr)) {
            person.Tell(ZV_SHORTCUT_NO_START_MENU, ZV_CAPTION_FAILURE, MB_ICONERROR | MB_SETFOREGROUND);
            result = false;
        } else {
            // With an empty startmenudir the group is the programs folder itself, written with a backslash.
            CZVString group = CZVString::Format("%s\\%s", programs, settings.startmenudir);
            if (group.GetLength() < kPathBytes) {
                MakeDirectoryPath(group.GetString());
                CShellLink link;
                if (link.IsValid()) {
                    // A link that cannot be saved fails the step: the rest would be undone with it.
                    const char* folder = group.GetString();
                    // The kept copy where the install made one, told where its script and log are.
                    bool kept = keptFolder[0] != '\0';
                    CZVString uninstallArguments = kept
                        ? CZVString("-dir \"") + keptFolder + "\"" + settings.uninstallcommand
                        : CZVString(settings.uninstallcommand);
                    const LINK_TARGET uninstaller
                        = {state.moduleFileName, uninstallArguments.GetString(), 1, kept ? keptFolder : nullptr};
                    result = MakeLink(&link, LinkPath(ZV_SHORTCUT_LINK, folder, settings.gametitle), game,
                                 state.installedDir, this, &person)
                        && MakeLink(&link, LinkPath(ZV_SHORTCUT_UNINSTALL_LINK, folder, settings.gametitle),
                            uninstaller, state.installedDir, this, &person);
                    for (size_t i = 0; result && i < description.shortcuts.size(); i++) {
                        const SHORTCUT_ENTRY& entry = description.shortcuts[i];
                        const LINK_TARGET extra = {entry.target, entry.arguments, entry.iconIndex, nullptr};
                        result = MakeLink(&link, LinkPath(ZV_SHORTCUT_LINK, folder, entry.name), extra,
                            state.installedDir, this, &person);
                    }
                }
            }
        }
    }

    if (result && settings.desktopshortcut) {
        char desktop[kPathBytes];
        if (!GetShellFolderPath(
                allocator, settings.forAllUsers ? CSIDL_COMMON_DESKTOPDIRECTORY : CSIDL_DESKTOP, desktop, nullptr)) {
            person.Tell(ZV_SHORTCUT_NO_DESKTOP, ZV_CAPTION_FAILURE, MB_ICONERROR | MB_SETFOREGROUND);
            result = false;
        } else {
            CShellLink link;
            if (link.IsValid()) {
                result = MakeLink(&link, LinkPath(ZV_SHORTCUT_LINK, desktop, settings.gametitle), game,
                    state.installedDir, this, &person);
            }
        }
    }

    allocator->Release();
    if (SUCCEEDED(comResult))
        ZVCoUninitialize();
    return result;
}
