// The install button: the undo of an install that was cut off, the reinstall question, the script's settings, the
// default folder and the settings dialog, the removal of the earlier install, then the install's steps (engine/).
#include "engine/EngineTexts.h"
#include "engine/Install.h"
#include "foundation/FileCalls.h"
#include "foundation/WindowCalls_win.h"
#include "resources/resource.h"
#include "ui/MainWnd.h"
#include "uninstall/Uninstall.h"

bool CMainWnd::Install()
{
    installLog.Empty();
    ZVSetCurrentDirectory(sourceDir);
    if (!UndoInterruptedInstall())
        return false;
    bool reinstall = isInstalled;
    if (reinstall) {
        CZVString question = CZVString::Format(ZV_INSTALL_AGAIN, settings.gametitle);
        if (MessageBox(question.GetString(), ZV_CAPTION_CONFIRMATION, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return false;
    }
    RestoreSettings();
    PlayScriptSound(settings.installvoice);
    ShowScriptMessage(settings.installmessage, MB_OK);
    ChooseDefaultInstallFolder(&settings);
    if (ProgramDialogBox(
            hInstance, MAKEINTRESOURCEA(IDD_SETTINGS), hwnd, SettingsDialogProc, reinterpret_cast<LPARAM>(this))
        != IDOK)
        return false;
    // Installed again: the earlier install goes first, as its own log says, so that nothing of it is mistaken for
    // someone else's file or mixed with the new one; what the player keeps stays.
    CInstall install(*this, *this, *this);
    CUninstall uninstall(*this, *this, *this);
    if (reinstall && !uninstall.RemoveEarlierInstall(false, &install.keptFromEarlierInstall)) {
        MessageBox(CZVString::Format(ZV_INSTALL_EARLIER_LEFT, settings.gametitle).GetString(), ZV_CAPTION_FAILURE,
            MB_ICONERROR);
        ReadInstallState();
        ApplyInstallState();
        return false;
    }
    bool installed = install.Run() == CInstall::kInstalled;
    ReadInstallState();
    ApplyInstallState();
    return installed;
}
