// The uninstall button: the checks, the questions, the script's extra files, the replay of "uninst.dat" or the
// fixed clean-up without it, and the summary.
#include "engine/EngineTexts.h"
#include "foundation/PathCompare.h"
#include "log/InstallLog.h"
#include "log/KeptFiles.h"
#include "log/TitleFiles.h"
#include "startup/CommandLine.h"
#include "startup/UnattendedReport.h"
#include "ui/MainWnd.h"
#include "uninstall/MatchingFiles.h"
#include "uninstall/UninstallPlan.h"
#include "uninstall/UninstallTexts.h"

bool CMainWnd::Uninstall()
{
    SetCurrentDirectoryA(sourceDir);
    if (!isInstalled) {
        MessageBox(CZVString::Format(ZV_UNINSTALL_NOT_INSTALLED, settings.gametitle).GetString(), ZV_CAPTION_FAILURE,
            MB_ICONERROR);
        return false;
    }
    // Decided from the install state alone: on the 95 family every account counts as having the rights.
    if (isInstalledForAllUsers && !hasAdminRights) {
        MessageBox(ZV_UNINSTALL_ADMIN_ONLY, ZV_CAPTION_WARNING, MB_ICONERROR | MB_SETFOREGROUND);
        return false;
    }
    PlayScriptSound(settings.uninstallvoice);
    ShowScriptMessage(settings.uninstallmessage, MB_OK);
    SetCurrentDirectoryA(installedDir);
    // An unattended uninstall was asked for on its command line; it erases the extra files only when told to.
    CZVString question = CZVString::Format(ZV_UNINSTALL_CONFIRM, settings.gametitle);
    if (unattendedOptions == nullptr
        && MessageBox(question.GetString(), ZV_CAPTION_CONFIRMATION, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;

    bool erase = true;
    if (unattendedOptions != nullptr) {
        erase = unattendedOptions->erase;
    } else if (settings.eraseonuninstallmessage[0] != '\0') {
        erase = MessageBox(settings.eraseonuninstallmessage, ZV_CAPTION_CONFIRMATION,
                    MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND)
            == IDYES;
    }
    CKeptFiles kept;
    UNDO_OUTCOME outcome = UndoInstall(erase, unattendedOptions != nullptr, &kept);
    if (outcome == kUndoDeclined)
        return false;
    bool complete = outcome == kUndoComplete;

    if (!complete) {
        MessageBox(CZVString::Format(ZV_UNINSTALL_PARTLY_DONE, settings.gametitle).GetString(), ZV_CAPTION_DONE,
            MB_ICONINFORMATION);
    } else {
        // The finish message's sound and text file are named from the disc's folder, as the other script messages:
        // the folder the uninstall worked in is gone.
        SetCurrentDirectoryA(sourceDir);
        PlayScriptSound(settings.uninstallfinishvoice);
        if (settings.uninstallfinishmessage[0] != '\0') {
            ShowScriptMessage(settings.uninstallfinishmessage, MB_OK);
        } else {
            MessageBox(CZVString::Format(ZV_UNINSTALL_DONE, settings.gametitle).GetString(), ZV_CAPTION_DONE,
                MB_ICONINFORMATION);
        }
    }
    isInstalled = false;
    ReadInstallState();
    ApplyInstallState();
    return complete;
}

CMainWnd::UNDO_OUTCOME CMainWnd::UndoInstall(bool erase, bool quiet, CKeptFiles* keptFiles)
{
    // The kept log first: it lies where only administrators can write, and says where the title lies. The install
    // folder's log serves an install that has none; it is read by its full path, not from whichever folder is
    // current.
    KEPT_LOG keptLog;
    bool fromKeptLog = ReadKeptLog(settings.gametitle, settings.installsubdir, &keptLog);
    if (fromKeptLog) {
        installLog = keptLog.text;
        CopyCutAtChar(installedDir, sizeof(installedDir), keptLog.installFolder.GetString());
        isInstalledForAllUsers = keptLog.forAllUsers;
    }
    if (erase && settings.eraseonuninstall[0] != '\0')
        EraseOnUninstall();
    // What the player keeps is listed before anything goes, and every deletion below passes it over: a saved game
    // stays even when the install put it there, and the fixed clean-up then never removes the folder whole.
    const CKeptFiles* kept = nullptr;
    if (!erase) {
        ListErasedFiles(installedDir, settings.eraseonuninstall, keptFiles);
        kept = keptFiles;
    }

    bool complete;
    char logFile[kPathBytes];
    if (fromKeptLog) {
        complete = ReplayInstallLog(kept);
    } else if (installedDir[0] != '\0' && *JoinPath(logFile, installedDir, ZV_INSTALL_LOG_FILE) != '\0'
        && installLog.LoadFromPack(logFile)) {
        complete = ReplayInstallLog(kept);
    } else {
        installLog.Empty();
        if (quiet)
            ReportLine(ZV_CAPTION_WARNING, ZV_UNINSTALL_NO_LOG);
        else if (MessageBox(ZV_UNINSTALL_NO_LOG, ZV_CAPTION_WARNING, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
            return kUndoDeclined;
        bool folderRemoved = RemoveInstallFolder(kept);
        bool shortcutsRemoved = RemoveShortcuts();
        bool keysRemoved = RemoveRegistryKeys();
        bool entryRemoved = RemoveUninstallEntry();
        complete = folderRemoved && shortcutsRemoved && keysRemoved && entryRemoved;
    }
    // The kept copy goes with a complete uninstall; after a partial one it stays for the next try.
    CZVString renamed;
    if (complete && fromKeptLog && RemoveKeptCopy(settings.gametitle, moduleFileName, &renamed) && !renamed.IsEmpty())
        ReportLine(ZV_CAPTION_STEP, CZVString::Format(ZV_TEXT_DELETED_AT_RESTART, renamed.GetString()).GetString());
    return complete ? kUndoComplete : kUndoPartial;
}

bool CMainWnd::RemoveEarlierInstall(bool erase)
{
    CKeptFiles kept;
    UNDO_OUTCOME outcome = UndoInstall(erase, true, &kept);
    // What the player keeps stays where it was, and the new install leaves it so; everything else that the earlier
    // install recorded must be gone, or the new install would mix with what is left of the old one.
    keptFromEarlierInstall.clear();
    for (const CZVString& line : SplitLogLines(installLog)) {
        LOG_ACTION action = ReadLogLine(line);
        char path[kPathBytes];
        if (action.kind == kLogDeleteFile && IsRelativePathInside(action.path.GetString())
            && *JoinPath(path, installedDir, action.path.GetString()) != '\0' && kept.Holds(path)
            && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
            keptFromEarlierInstall.push_back(CZVString(path));
    }
    bool removed = outcome == kUndoComplete && LeftNothingOfLog(&kept);
    installLog.Empty();
    return removed;
}

bool CMainWnd::EraseOnUninstall()
{
    for (const CZVString& pattern : SplitErasePatterns(settings.eraseonuninstall))
        DeleteMatchingFiles(installedDir, pattern.GetString());
    return true;
}
