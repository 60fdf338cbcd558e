// The replay of the install log for the window's title, install folder and script (log/ReplayLog.h).
#include "log/ReplayLog.h"
#include "ui/MainWnd.h"

bool CMainWnd::LeftNothingOfLog(const CKeptFiles* kept)
{
    INSTALL_SCOPE scope
        = MakeInstallScope(installedDir, settings.registryroot, settings.registrykey, settings.gametitle);
    return LeftNothingOf(installLog, scope, kept);
}

bool CMainWnd::ReplayInstallLog(const CKeptFiles* kept)
{
    INSTALL_SCOPE scope
        = MakeInstallScope(installedDir, settings.registryroot, settings.registrykey, settings.gametitle);
    return ReplayLog(installLog, scope, settings.startmenudir, isInstalledForAllUsers, kept);
}
