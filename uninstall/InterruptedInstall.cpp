// An install of the title that was cut off (power lost, the process ended): its journal is found at the next start
// of the menu, or when install is pressed, and undone on the person's word by the replay of the install log. The
// replay is safe to repeat, and the journal goes only after it: an undo cut off in turn is finished next time.
#include <shlobj.h>

#include "foundation/FileCalls.h"
#include "foundation/PathText.h"
#include "foundation/ShellFolder.h"
#include "foundation/Trace.h"
#include "log/InstallJournal.h"
#include "log/LogNames.h"
#include "log/TitleFiles.h"
#include "uninstall/Uninstall.h"
#include "uninstall/UninstallTexts.h"

bool CUninstall::UndoInterruptedInstall(bool* replayed)
{
    const INSTALL_SETTINGS& settings = description.settings;
    *replayed = false;
    char path[kPathBytes];
    CZVString text;
    if (!GetJournalPath(settings.gametitle, path) || ZVGetFileAttributes(path) == INVALID_FILE_ATTRIBUTES)
        return true;
    if (!text.LoadFromPack(path)) {
        Trace("警告：CUninstall::UndoInterruptedInstall ジャーナルを読めません (%s)\n", path);
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

    CZVString question = CZVString::Format(ZV_INSTALL_INTERRUPTED, settings.gametitle);
    if (person.Ask(kAskUndoInterrupted, question.GetString(), ZV_CAPTION_CONFIRMATION,
            MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND, IDYES)
        != IDYES)
        return false;
    char previousDir[kPathBytes];
    DWORD length = ZVGetCurrentDirectory(sizeof(previousDir), previousDir);
    state.installLog = text;
    CopyCutAtChar(state.installedDir, sizeof(state.installedDir), reading.installFolder.GetString());
    state.isInstalledForAllUsers = reading.forAllUsers;
    // The kept copy, if the install got as far, belongs to the install that was cut off: no complete install of
    // the title is there while a journal is (a reinstall takes the earlier install away before it starts).
    CZVString renamed; // never the running program, which is the work copy
    bool undone = ReplayInstallLog() && (RemoveKeptCopy(settings.gametitle, state.moduleFileName, &renamed) || true)
        && RemoveJournal(settings.gametitle);
    state.installLog.Empty();
    if (length > 0 && length < sizeof(previousDir))
        ZVSetCurrentDirectory(previousDir);
    *replayed = true;
    return undone;
}
