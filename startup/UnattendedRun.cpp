// The unattended run of the copy (-quiet): the install or the uninstall that a person would start from the menu,
// with the command line's answers in place of the settings dialog and the questions, and an exit code at the end.
#include "startup/UnattendedRun.h"
#include "engine/EngineTexts.h"
#include "engine/Install.h"
#include "engine/InstallPlan.h"
#include "foundation/App.h"
#include "foundation/FileCalls.h"
#include "foundation/SelfDeletion.h"
#include "foundation/SystemFallbacks.h"
#include "log/TitleFiles.h"
#include "startup/StartupTexts.h"
#include "startup/Unattended.h"
#include "startup/UnattendedReport.h"
#include "ui/MainWnd.h"
#include "ui/MenuTexts.h"
#include "uninstall/Uninstall.h"
#include "uninstall/UninstallTexts.h"

namespace {

const DWORD kDiscRetryPauseMs = 2000;

const char* RefusalText(UNATTENDED_REFUSAL refusal)
{
    switch (refusal) {
    case kRefusalNoSuchType: return ZV_TEXT_NO_SUCH_TYPE;
    case kRefusalTypeNeeded: return ZV_TEXT_TYPE_NEEDED;
    case kRefusalAllUsers: return ZV_TEXT_ALL_USERS_REFUSED;
    case kRefusalNone: break;
    }
    return "";
}

// The person of an unattended run: the command line's answers, and a report in place of every box.
class CUnattendedPerson : public IUninstallPerson, public IInstallPerson {
public:
    CUnattendedPerson(const COMMAND_LINE_OPTIONS& options, CMainWnd& window)
        : m_options(options)
        , m_window(window)
    {
    }

    int Ask(UNINSTALL_QUESTION question, const char* text, const char* caption, UINT, int recommendation) override
    {
        switch (question) {
        case kAskUninstall: return IDYES; // -uninstall said so
        case kAskEraseSaves: return m_options.erase ? IDYES : IDNO;
        case kAskUndoInterrupted: ReportLine(caption, text); return m_options.reinstall ? IDYES : IDNO;
        case kAskUninstallWithoutLog: break;
        }
        ReportLine(caption, text);
        return recommendation;
    }
    int Ask(INSTALL_QUESTION question, const char* text, const char* caption, UINT, int recommendation) override
    {
        ReportLine(caption, text);
        // A disc that could not be read gets a moment before its one retry: a drive spinning up, a read that
        // settles.
        if (question == kAskRetryRead && recommendation == IDRETRY)
            Sleep(kDiscRetryPauseMs);
        return recommendation;
    }
    // Nobody can press cancel or watch the progress: the copy runs without a window, and the window's frame pumps.
    bool RunWithProgress(ICopyWork& work) override { return work.Copy(); }
    void ShowCopyTexts(const char*, const char*) override { }
    void ShowCopyBar(COPY_BAR, int) override { }
    void ShowTaskbarProgress(int, int, int) override { }
    void Breathe() override
    {
        while (m_window.frame != nullptr && m_window.frame->PeekAndPump()) { }
    }
    void Tell(const char* text, const char* caption, UINT) override { ReportLine(caption, text); }
    void Note(const char* text, const char* caption) override { ReportLine(caption, text); }
    bool PlayScriptSound(const char*) override { return false; }
    void ShowScriptMessage(const char* text) override
    {
        if (text != nullptr && text[0] != '\0')
            ReportLine(ZV_CAPTION_INFORMATION, text); // a box nobody would see, or a file nobody would read
    }

private:
    const COMMAND_LINE_OPTIONS& m_options;
    CMainWnd& m_window;
};

int UninstallUnattended(CMainWnd& window, const COMMAND_LINE_OPTIONS& options)
{
    // The uninstall reports its own refusals (not installed, an install for all users without the rights); they
    // are told apart from a failure by the state it starts from.
    bool refused = !window.isInstalled || (window.isInstalledForAllUsers && !window.hasAdminRights);
    CUnattendedPerson person(options, window);
    bool complete = CUninstall(window, window, person).Run();
    window.ReadInstallState();
    if (complete)
        return kExitDone;
    return refused ? kExitRefused : kExitFailedLeftOver;
}

int InstallUnattended(CMainWnd& window, const COMMAND_LINE_OPTIONS& options)
{
    // An install of the title that was cut off is taken away first (on -reinstall), or nothing is installed.
    CUnattendedPerson person(options, window);
    CUninstall uninstall(window, window, person);
    CInstall install(window, window, person);
    bool replayed = false;
    bool noneLeft = uninstall.UndoInterruptedInstall(&replayed);
    if (replayed) {
        window.ReadInstallState();
        window.ApplyInstallState();
    }
    if (!noneLeft)
        return kExitRefused;
    window.installLog.Empty();
    ZVSetCurrentDirectory(window.sourceDir);
    if (window.isInstalled) {
        CZVString installed = CZVString::Format(ZV_TEXT_ALREADY_INSTALLED, window.settings.gametitle);
        if (!options.reinstall) {
            ReportLine(ZV_CAPTION_CONFIRMATION, installed.GetString());
            return kExitRefused;
        }
        // Installed again from scratch: the earlier install is taken away first, as its own log says, so that its
        // files are not mistaken for someone else's that must not be overwritten.
        ReportLine(ZV_CAPTION_STEP, installed.GetString());
        if (!uninstall.RemoveEarlierInstall(options.erase, &install.keptFromEarlierInstall)) {
            ReportLine(
                ZV_CAPTION_FAILURE, CZVString::Format(ZV_INSTALL_EARLIER_LEFT, window.settings.gametitle).GetString());
            return kExitFailedLeftOver;
        }
        ZVSetCurrentDirectory(window.sourceDir);
    }
    window.RestoreSettings();
    person.ShowScriptMessage(window.settings.installmessage);
    ChooseDefaultInstallFolder(&window.settings);
    UNATTENDED_REFUSAL refusal
        = ChooseUnattendedSettings(options, CMainWnd::OffersAllUsers() && window.hasAdminRights, &window.settings);
    if (refusal != kRefusalNone) {
        ReportLine(ZV_CAPTION_ERROR, RefusalText(refusal));
        return RefusalExitCode(refusal);
    }
    CZVString chosen = CZVString::Format(ZV_TEXT_SETTINGS_CHOSEN, window.settings.installtype + 1,
        window.settings.installdir, window.settings.installsubdir, window.settings.desktopshortcut ? 1 : 0,
        window.settings.startmenushortcut ? 1 : 0, window.settings.forAllUsers ? 1 : 0);
    ReportLine(ZV_CAPTION_STEP, chosen.GetString());

    // The dialog's question about too little space takes the answer that stops; nothing has been made yet.
    char root[4];
    FreeSpaceRoot(window.settings.installdir, root);
    uint64_t freeBytes = 0;
    if (GetFreeDiskBytes(root, &freeBytes)
        && IsShortOfSpace(freeBytes, window.settings.installrequire[window.settings.installtype])) {
        ReportLine(ZV_CAPTION_WARNING, ZV_SETTINGS_LOW_SPACE);
        return kExitFailedUndone;
    }
    CInstall::OUTCOME outcome = install.Run();
    window.ReadInstallState();
    window.ApplyInstallState();
    switch (outcome) {
    case CInstall::kInstalled: return kExitDone;
    case CInstall::kFailedUndone: return kExitFailedUndone;
    case CInstall::kFailedLeftOver: break;
    }
    return kExitFailedLeftOver;
}

} // namespace

int RunUnattended(CMainWnd& window, const COMMAND_LINE_OPTIONS& options)
{
    window.ReadInstallState();
    int exitCode = kExitDone;
    if (options.uninstall) {
        // An install without a kept copy is uninstalled by the install folder's own program, and the first start
        // waits in it: it cannot be deleted while it runs. Renamed, it goes at the next system start under a name
        // that no later install writes; the folder is left for that install.
        char firstStart[kPathBytes], folder[kPathBytes];
        bool named = window.isInstalled && *JoinPath(firstStart, window.installedDir, window.moduleFileName) != '\0';
        exitCode = UninstallUnattended(window, options);
        CZVString renamed;
        if (named && exitCode != kExitRefused && ZVGetFileAttributes(firstStart) != INVALID_FILE_ATTRIBUTES
            && DeleteOrScheduleRunning(firstStart, firstStart, &renamed)) {
            if (!renamed.IsEmpty())
                ReportLine(
                    ZV_CAPTION_STEP, CZVString::Format(ZV_TEXT_DELETED_AT_RESTART, renamed.GetString()).GetString());
            CopyCutAtChar(folder, FolderPartLength(firstStart), firstStart); // without its trailing backslash
            ZVRemoveDirectory(folder);
        }
    } else {
        exitCode = InstallUnattended(window, options);
    }
    return exitCode;
}
