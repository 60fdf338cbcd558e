// The steps of one installation whose settings are chosen, in their fixed order, to the final message. Success saves
// the install log as "uninst.dat" in the install folder; a failed step is undone from the log kept so far. The
// journal keeps the log on disk meanwhile.
#include "engine/Install.h"
#include "engine/EngineTexts.h"
#include "engine/InstallPlan.h"
#include "foundation/Captions.h"
#include "foundation/FileCalls.h"
#include "foundation/SaveWhole.h"
#include "foundation/SystemLibraries.h"
#include "log/InstallLog.h"
#include "log/ReplayLog.h"
#include "log/TitleFiles.h"

CInstall::CInstall(const INSTALL_DESCRIPTION& description, INSTALL_STATE& state, IInstallPerson& person)
    : description(description)
    , settings(description.settings)
    , state(state)
    , person(person)
    , fileVersionMajor(0)
    , fileVersionMinor(0)
    , copyCursor(0)
    , sourceHandle(INVALID_HANDLE_VALUE)
    , destHandle(INVALID_HANDLE_VALUE)
    , discBytesDone(0)
    , fileSize(0)
    , fileBytesDone(0)
    , totalFileCount(0)
    , currentFileNumber(0)
    , copyCancelled(false)
{
    keptFolder[0] = '\0';
    char program[kPathBytes];
    DWORD length = ZVGetModuleFileName(nullptr, program, sizeof(program));
    if (length != 0 && length < sizeof(program))
        ReadFileVersion(program, &fileVersionMajor, &fileVersionMinor);
}

CInstall::~CInstall()
{
    CloseCopyHandles();
}

namespace {

// One line of an unattended run's report for a step; done is passed through.
bool ReportStep(IInstallPerson& person, const char* step, bool done)
{
    CZVString line = CZVString::Format(done ? ZV_STEP_DONE : ZV_STEP_FAILED, step);
    person.Note(line.GetString(), ZV_CAPTION_STEP);
    return done;
}

} // namespace

CInstall::OUTCOME CInstall::Run()
{
    ZVSetCurrentDirectory(state.sourceDir);

    SYSTEMTIME now;
    GetLocalTime(&now);
    LOG_TIME time = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    state.installLog = FormatLogHeader(settings.gametitle, time);
    state.installLog.Append(FormatLogInstallType(settings.installtype));
    state.installLog.Append(FormatLogInstallDir(settings.installdir));
    StartJournal();

    // A destination that would not fit a path fails before anything is made. The kept copy for the uninstall is
    // taken while the first disc is still in the drive; without it the uninstall runs from the install folder, as
    // for an install of an earlier version.
    bool installed = ReportStep(person, ZV_STEP_FOLDERS,
                         MakeInstallFolder(settings.installdir, settings.installsubdir, state.installedDir)
                             && PrepareDirectories())
        && (MakeKeptCopy() || true) && ReportStep(person, ZV_STEP_COPY, RunCopy())
        && ReportStep(person, ZV_STEP_SHORTCUTS, CreateShortcuts())
        && ReportStep(person, ZV_STEP_REGISTRY, WriteRegistrySettings());
    OUTCOME outcome = kInstalled;
    if (installed) {
        ReportStep(person, ZV_STEP_UNINSTALL_ENTRY, WriteUninstallEntry());
        AppendLogLine(kLogSelfCopy);
        // Without its log nothing could uninstall the title: an install whose log is not whole on disk has failed.
        installed = ReportStep(person, ZV_STEP_LOG_SAVED, SaveInstallLogs());
    }
    if (installed) {
        EndJournal();
        // The finish message's sound and text file are named from the disc's folder, as at the start of the
        // install: the copy may have left the current folder on another disc.
        ZVSetCurrentDirectory(state.sourceDir);
        person.PlayScriptSound(settings.installfinishvoice);
        if (settings.installfinishmessage[0] != '\0') {
            person.ShowScriptMessage(settings.installfinishmessage);
        } else {
            CZVString done = CZVString::Format(ZV_INSTALL_DONE, settings.gametitle);
            person.Tell(done.GetString(), ZV_CAPTION_SUCCESS, MB_ICONINFORMATION);
        }
    } else {
        person.Tell(ZV_INSTALL_FAILED, ZV_CAPTION_FAILURE, MB_ICONERROR);
        // The undo removes the links from where this install made them, whatever the menu found before it.
        state.isInstalledForAllUsers = settings.forAllUsers;
        INSTALL_SCOPE scope
            = MakeInstallScope(state.installedDir, settings.registryroot, settings.registrykey, settings.gametitle);
        ReplayLog(state.installLog, scope, settings.startmenudir, state.isInstalledForAllUsers, nullptr);
        CZVString renamed; // never the running program, which is the work copy
        RemoveKeptCopy(settings.gametitle, state.moduleFileName, &renamed);
        EndJournal();
        outcome = ReportStep(person, ZV_STEP_UNDO, LeftNothingOf(state.installLog, scope, nullptr)) ? kFailedUndone
                                                                                                    : kFailedLeftOver;
    }
    return outcome;
}

bool CInstall::SaveInstallLogs()
{
    char logFile[kPathBytes], keptLog[kPathBytes];
    if (*JoinPath(logFile, state.installedDir, ZV_INSTALL_LOG_FILE) == '\0' || !SaveWhole(state.installLog, logFile))
        return false;
    return keptFolder[0] == '\0'
        || (*JoinPath(keptLog, keptFolder, ZV_INSTALL_LOG_FILE) != '\0' && SaveWhole(state.installLog, keptLog));
}
