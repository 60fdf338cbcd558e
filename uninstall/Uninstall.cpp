// The uninstall: the checks, the questions, the script's extra files, the replay of "uninst.dat" or the fixed
// clean-up without it, and the summary.
#include "uninstall/Uninstall.h"

#include "foundation/FileCalls.h"
#include "foundation/PathCompare.h"
#include "foundation/PathText.h"
#include "log/InstallLog.h"
#include "log/KeptFiles.h"
#include "log/LogNames.h"
#include "log/TitleFiles.h"
#include "uninstall/MatchingFiles.h"
#include "uninstall/UninstallPlan.h"
#include "uninstall/UninstallTexts.h"

bool CUninstall::Run()
{
    const INSTALL_SETTINGS& settings = description.settings;
    ZVSetCurrentDirectory(state.sourceDir);
    if (!state.isInstalled) {
        person.Tell(CZVString::Format(ZV_UNINSTALL_NOT_INSTALLED, settings.gametitle).GetString(), ZV_CAPTION_FAILURE,
            MB_ICONERROR);
        return false;
    }
    // Decided from the install state alone: on the 95 family every account counts as having the rights.
    if (state.isInstalledForAllUsers && !state.hasAdminRights) {
        person.Tell(ZV_UNINSTALL_ADMIN_ONLY, ZV_CAPTION_WARNING, MB_ICONERROR | MB_SETFOREGROUND);
        return false;
    }
    person.PlayScriptSound(settings.uninstallvoice);
    person.ShowScriptMessage(settings.uninstallmessage);
    ZVSetCurrentDirectory(state.installedDir);
    CZVString question = CZVString::Format(ZV_UNINSTALL_CONFIRM, settings.gametitle);
    if (person.Ask(kAskUninstall, question.GetString(), ZV_CAPTION_CONFIRMATION, MB_YESNO | MB_ICONQUESTION, IDYES)
        != IDYES)
        return false;
    // Asked even when the script has no question for it: an unattended run still has its answer.
    bool erase = person.Ask(kAskEraseSaves, settings.eraseonuninstallmessage, ZV_CAPTION_CONFIRMATION,
                     MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND, IDYES)
        == IDYES;
    CKeptFiles kept;
    UNDO_OUTCOME outcome = UndoInstall(erase, true, &kept);
    if (outcome == kUndoDeclined)
        return false;
    bool complete = outcome == kUndoComplete;

    if (!complete) {
        person.Tell(CZVString::Format(ZV_UNINSTALL_PARTLY_DONE, settings.gametitle).GetString(), ZV_CAPTION_DONE,
            MB_ICONINFORMATION);
    } else {
        // The finish message's sound and text file are named from the disc's folder, as the other script messages:
        // the folder the uninstall worked in is gone.
        ZVSetCurrentDirectory(state.sourceDir);
        person.PlayScriptSound(settings.uninstallfinishvoice);
        if (settings.uninstallfinishmessage[0] != '\0') {
            person.ShowScriptMessage(settings.uninstallfinishmessage);
        } else {
            person.Tell(CZVString::Format(ZV_UNINSTALL_DONE, settings.gametitle).GetString(), ZV_CAPTION_DONE,
                MB_ICONINFORMATION);
        }
    }
    state.isInstalled = false;
    return complete;
}

CUninstall::UNDO_OUTCOME CUninstall::UndoInstall(bool erase, bool askWithoutLog, CKeptFiles* keptFiles)
{
    const INSTALL_SETTINGS& settings = description.settings;
    // The kept log first: it lies where only administrators can write, and says where the title lies. The install
    // folder's log serves an install that has none; it is read by its full path, not from whichever folder is
    // current.
    KEPT_LOG keptLog;
    bool fromKeptLog = ReadKeptLog(settings.gametitle, settings.installsubdir, &keptLog);
    if (fromKeptLog) {
        state.installLog = keptLog.text;
        CopyCutAtChar(state.installedDir, sizeof(state.installedDir), keptLog.installFolder.GetString());
        state.isInstalledForAllUsers = keptLog.forAllUsers;
    }
    if (erase && settings.eraseonuninstall[0] != '\0')
        EraseOnUninstall();
    // What the player keeps is listed before anything goes, and every deletion below passes it over: a saved game
    // stays even when the install put it there, and the fixed clean-up then never removes the folder whole.
    const CKeptFiles* kept = nullptr;
    if (!erase) {
        ListErasedFiles(state.installedDir, settings.eraseonuninstall, keptFiles);
        kept = keptFiles;
    }

    bool complete;
    char logFile[kPathBytes];
    if (fromKeptLog) {
        complete = ReplayInstallLog(kept);
    } else if (state.installedDir[0] != '\0' && *JoinPath(logFile, state.installedDir, ZV_INSTALL_LOG_FILE) != '\0'
        && state.installLog.LoadFromPack(logFile)) {
        complete = ReplayInstallLog(kept);
    } else {
        state.installLog.Empty();
        if (!askWithoutLog)
            person.Note(ZV_UNINSTALL_NO_LOG, ZV_CAPTION_WARNING);
        else if (person.Ask(kAskUninstallWithoutLog, ZV_UNINSTALL_NO_LOG, ZV_CAPTION_WARNING,
                     MB_OKCANCEL | MB_ICONQUESTION, IDOK)
            != IDOK)
            return kUndoDeclined;
        bool folderRemoved = RemoveInstallFolder(kept);
        bool shortcutsRemoved = RemoveShortcuts();
        bool keysRemoved = RemoveRegistryKeys();
        bool entryRemoved = RemoveUninstallEntry();
        complete = folderRemoved && shortcutsRemoved && keysRemoved && entryRemoved;
    }
    // The kept copy goes with a complete uninstall; after a partial one it stays for the next try.
    CZVString renamed;
    if (complete && fromKeptLog && RemoveKeptCopy(settings.gametitle, state.moduleFileName, &renamed)
        && !renamed.IsEmpty())
        person.Note(CZVString::Format(ZV_TEXT_DELETED_AT_RESTART, renamed.GetString()).GetString(), ZV_CAPTION_STEP);
    return complete ? kUndoComplete : kUndoPartial;
}

bool CUninstall::RemoveEarlierInstall(bool erase, std::vector<CZVString>* keptFiles)
{
    CKeptFiles kept;
    UNDO_OUTCOME outcome = UndoInstall(erase, false, &kept);
    // What the player keeps stays where it was, and the new install leaves it so; everything else that the earlier
    // install recorded must be gone, or the new install would mix with what is left of the old one.
    keptFiles->clear();
    for (const CZVString& line : SplitLogLines(state.installLog)) {
        LOG_ACTION action = ReadLogLine(line);
        char path[kPathBytes];
        if (action.kind == kLogDeleteFile && IsRelativePathInside(action.path.GetString())
            && *JoinPath(path, state.installedDir, action.path.GetString()) != '\0' && kept.Holds(path)
            && ZVGetFileAttributes(path) != INVALID_FILE_ATTRIBUTES)
            keptFiles->push_back(CZVString(path));
    }
    bool removed = outcome == kUndoComplete && LeftNothingOfLog(&kept);
    state.installLog.Empty();
    return removed;
}

bool CUninstall::EraseOnUninstall()
{
    for (const CZVString& pattern : SplitErasePatterns(description.settings.eraseonuninstall))
        DeleteMatchingFiles(state.installedDir, pattern.GetString());
    return true;
}
