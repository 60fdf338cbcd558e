// The steps of one installation whose settings are chosen, in their fixed order, to the final message. Success saves
// the install log as "uninst.dat" in the install folder; a failed step is undone from the log kept so far. The
// journal keeps the log on disk meanwhile.
#include "engine/EngineTexts.h"
#include "engine/InstallPlan.h"
#include "foundation/RegProfile.h"
#include "foundation/SaveWhole.h"
#include "foundation/ScopedHandles.h"
#include "foundation/ShellFolder.h"
#include "log/InstallLog.h"
#include "log/ReplayLog.h"
#include "log/TitleFiles.h"
#include "resources/resource.h"
#include "startup/StartupTexts.h"
#include "startup/Unattended.h"
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

// One line of an unattended run's report for a step; done is passed through.
bool ReportStep(const char* step, bool done)
{
    CZVString line = CZVString::Format(done ? ZV_STEP_DONE : ZV_STEP_FAILED, step);
    ReportLine(ZV_CAPTION_STEP, line.GetString());
    return done;
}

} // namespace

int CMainWnd::RunInstallSteps()
{
    SetCurrentDirectoryA(sourceDir);

    SYSTEMTIME now;
    GetLocalTime(&now);
    LOG_TIME time = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    installLog = FormatLogHeader(settings.gametitle, time);
    installLog.Append(FormatLogInstallType(settings.installtype));
    installLog.Append(FormatLogInstallDir(settings.installdir));
    StartJournal();

    // A destination that would not fit a path fails before anything is made. The kept copy for the uninstall is
    // taken while the first disc is still in the drive; without it the uninstall runs from the install folder, as
    // for an install of an earlier version.
    bool installed
        = ReportStep(ZV_STEP_FOLDERS,
              MakeInstallFolder(settings.installdir, settings.installsubdir, installedDir) && PrepareDirectories())
        && (MakeKeptCopy() || true) && ReportStep(ZV_STEP_COPY, RunCopyDialog())
        && ReportStep(ZV_STEP_SHORTCUTS, CreateShortcuts()) && ReportStep(ZV_STEP_REGISTRY, WriteRegistrySettings());
    int outcome = kExitDone;
    if (installed) {
        ReportStep(ZV_STEP_UNINSTALL_ENTRY, WriteUninstallEntry());
        AppendLogLine(kLogSelfCopy);
        // Without its log nothing could uninstall the title: an install whose log is not whole on disk has failed.
        installed = ReportStep(ZV_STEP_LOG_SAVED, SaveInstallLogs());
    }
    if (installed) {
        EndJournal();
        // The finish message's sound and text file are named from the disc's folder, as at the start of the
        // install: the copy may have left the current folder on another disc.
        SetCurrentDirectoryA(sourceDir);
        PlayScriptSound(settings.installfinishvoice);
        if (settings.installfinishmessage[0] != '\0') {
            ShowScriptMessage(settings.installfinishmessage, MB_OK);
        } else {
            CZVString done = CZVString::Format(ZV_INSTALL_DONE, settings.gametitle);
            MessageBox(done.GetString(), ZV_CAPTION_SUCCESS, MB_ICONINFORMATION);
        }
    } else {
        MessageBox(ZV_INSTALL_FAILED, ZV_CAPTION_FAILURE, MB_ICONERROR);
        // The undo removes the links from where this install made them, whatever the menu found before it.
        isInstalledForAllUsers = settings.forAllUsers;
        INSTALL_SCOPE scope
            = MakeInstallScope(installedDir, settings.registryroot, settings.registrykey, settings.gametitle);
        ReplayLog(installLog, scope, settings.startmenudir, isInstalledForAllUsers, nullptr);
        CZVString renamed; // never the running program, which is the work copy
        RemoveKeptCopy(settings.gametitle, moduleFileName, &renamed);
        EndJournal();
        outcome = ReportStep(ZV_STEP_UNDO, LeftNothingOf(installLog, scope, nullptr)) ? kExitFailedUndone
                                                                                      : kExitFailedLeftOver;
    }
    ReadInstallState();
    ApplyInstallState();
    return outcome;
}

bool CMainWnd::SaveInstallLogs()
{
    char logFile[kPathBytes], keptLog[kPathBytes];
    if (*JoinPath(logFile, installedDir, ZV_INSTALL_LOG_FILE) == '\0' || !SaveWhole(installLog, logFile))
        return false;
    return keptFolder[0] == '\0'
        || (*JoinPath(keptLog, keptFolder, ZV_INSTALL_LOG_FILE) != '\0' && SaveWhole(installLog, keptLog));
}

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
