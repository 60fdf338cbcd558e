// The uninstall button: the checks, the questions, the script's extra files, the replay of "uninst.dat" or the
// fixed clean-up without it, and the summary.
#include "engine/EngineTexts.h"
#include "foundation/PathCompare.h"
#include "startup/CommandLine.h"
#include "startup/UnattendedReport.h"
#include "ui/MainWnd.h"
#include "uninstall/InstallLog.h"
#include "uninstall/MatchingFiles.h"
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
    UNDO_OUTCOME outcome = UndoInstall(erase, unattendedOptions != nullptr);
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

CMainWnd::UNDO_OUTCOME CMainWnd::UndoInstall(bool erase, bool quiet)
{
    if (erase && settings.eraseonuninstall[0] != '\0')
        EraseOnUninstall();

    // The kept log first: it lies where only administrators can write. The install folder's log serves an install
    // that has none; it is read by its full path, not from whichever folder is current.
    bool complete;
    bool fromKeptLog = false;
    CZVString keptInstallFolder;
    bool keptForAllUsers = false;
    char logFile[kPathBytes];
    if (ReadKeptLog(&installLog, &keptInstallFolder, &keptForAllUsers)) {
        CopyCutAtChar(installedDir, sizeof(installedDir), keptInstallFolder.GetString());
        isInstalledForAllUsers = keptForAllUsers;
        fromKeptLog = true;
        complete = ReplayInstallLog();
    } else if (installedDir[0] != '\0' && *JoinPath(logFile, installedDir, ZV_INSTALL_LOG_FILE) != '\0'
        && installLog.LoadFromPack(logFile)) {
        complete = ReplayInstallLog();
    } else {
        installLog.Empty();
        if (quiet)
            ReportLine(ZV_CAPTION_WARNING, ZV_UNINSTALL_NO_LOG);
        else if (MessageBox(ZV_UNINSTALL_NO_LOG, ZV_CAPTION_WARNING, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
            return kUndoDeclined;
        bool folderRemoved = RemoveInstallFolder();
        bool shortcutsRemoved = RemoveShortcuts();
        bool keysRemoved = RemoveRegistryKeys();
        bool entryRemoved = RemoveUninstallEntry();
        complete = folderRemoved && shortcutsRemoved && keysRemoved && entryRemoved;
    }
    // The kept copy goes with a complete uninstall; after a partial one it stays for the next try.
    if (complete && fromKeptLog)
        RemoveKeptCopy();
    return complete ? kUndoComplete : kUndoPartial;
}

bool CMainWnd::RemoveEarlierInstall(bool erase)
{
    UNDO_OUTCOME outcome = UndoInstall(erase, true);
    // What the player keeps stays where it was; everything else that the earlier install recorded must be gone, or
    // the new install would mix with what is left of the old one.
    keptFromEarlierInstall.clear();
    for (const CZVString& line : SplitLogLines(installLog)) {
        LOG_ACTION action = ReadLogLine(line);
        char path[kPathBytes];
        if (action.kind == kLogDeleteFile && IsRelativePathInside(action.path.GetString())
            && *JoinPath(path, installedDir, action.path.GetString()) != '\0'
            && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES && IsKeptPlayerFile(path))
            keptFromEarlierInstall.push_back(CZVString(path));
    }
    bool removed = outcome == kUndoComplete && LeftNothingOfLog(true);
    installLog.Empty();
    return removed;
}

bool CMainWnd::IsKeptPlayerFile(const char* path)
{
    const char separators[] = ";\r\n";
    CZVString patterns(settings.eraseonuninstall);
    for (CZVString pattern = patterns.GetFirstToken(separators); !pattern.IsEmpty();
         pattern = patterns.GetNextToken(separators)) {
        if (IsMatchingFile(installedDir, pattern.GetString(), path))
            return true;
    }
    return false;
}

bool CMainWnd::EraseOnUninstall()
{
    const char separators[] = ";\r\n";
    CZVString patterns(settings.eraseonuninstall);
    for (CZVString pattern = patterns.GetFirstToken(separators); !pattern.IsEmpty();
         pattern = patterns.GetNextToken(separators))
        DeleteMatchingFiles(installedDir, pattern.GetString());
    return true;
}
