// An install of the title that was cut off (power lost, the process ended): its journal is found at the next start
// of the menu, or when install is pressed, and undone on the user's word by the replay of the install log. The
// replay is safe to repeat, and the journal goes only after it: an undo cut off in turn is finished next time.
#include <shlobj.h>

#include "engine/EngineTexts.h"
#include "foundation/ShellFolder.h"
#include "foundation/Trace.h"
#include "log/InstallJournal.h"
#include "log/TitleFiles.h"
#include "startup/CommandLine.h"
#include "startup/UnattendedReport.h"
#include "ui/MainWnd.h"

bool CMainWnd::UndoInterruptedInstall()
{
    char path[kPathBytes];
    CZVString text;
    if (!GetJournalPath(settings.gametitle, path) || !FileExists(path))
        return true;
    if (!text.LoadFromPack(path)) {
        Trace("警告：CMainWnd::UndoInterruptedInstall ジャーナルを読めません (%s)\n", path);
        return true;
    }
    // Nothing is made before the journal's first line is whole: a journal without one recorded nothing.
    if (text.Find('\n') < 0) {
        RemoveJournal(settings.gametitle);
        return true;
    }
    char commonPrograms[kPathBytes];
    GetShellFolderPath(CSIDL_COMMON_PROGRAMS, commonPrograms); // "" where the system has none (the 95 family)
    JOURNAL_READING reading = ReadJournal(text, settings.gametitle, settings.installsubdir, commonPrograms);
    if (!reading.ownTitle)
        return true;
    // Cut off between the save of "uninst.dat" and the removal of the journal: the install is complete.
    CZVString savedLog;
    char logFile[kPathBytes];
    if (reading.finished && !reading.installFolder.IsEmpty()
        && *JoinPath(logFile, reading.installFolder.GetString(), ZV_INSTALL_LOG_FILE) != '\0'
        && savedLog.LoadFromPack(logFile) && savedLog == text) {
        RemoveJournal(settings.gametitle);
        return true;
    }

    // Unattended, -reinstall is the word to take the interrupted install away before the new one.
    CZVString question = CZVString::Format(ZV_INSTALL_INTERRUPTED, settings.gametitle);
    bool undo = false;
    if (unattendedOptions != nullptr) {
        ReportLine(ZV_CAPTION_CONFIRMATION, question.GetString());
        undo = unattendedOptions->reinstall;
    } else {
        undo = MessageBox(question.GetString(), ZV_CAPTION_CONFIRMATION, MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND)
            == IDYES;
    }
    if (!undo)
        return false;
    char previousDir[kPathBytes];
    DWORD length = GetCurrentDirectoryA(sizeof(previousDir), previousDir);
    installLog = text;
    CopyCutAtChar(installedDir, sizeof(installedDir), reading.installFolder.GetString());
    isInstalledForAllUsers = reading.forAllUsers;
    // The kept copy, if the install got as far, belongs to the install that was cut off: no complete install of
    // the title is there while a journal is (a reinstall takes the earlier install away before it starts).
    CZVString renamed; // never the running program, which is the work copy
    bool undone = ReplayInstallLog() && (RemoveKeptCopy(settings.gametitle, moduleFileName, &renamed) || true)
        && RemoveJournal(settings.gametitle);
    installLog.Empty();
    if (length > 0 && length < sizeof(previousDir))
        SetCurrentDirectoryA(previousDir);
    ReadInstallState();
    ApplyInstallState();
    return undone;
}
