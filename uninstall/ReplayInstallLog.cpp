// The replay of the install log for the uninstall's title, install folder and script (log/ReplayLog.h).
#include "log/ReplayLog.h"
#include "uninstall/Uninstall.h"

bool CUninstall::LeftNothingOfLog(const CKeptFiles* kept)
{
    const INSTALL_SETTINGS& settings = description.settings;
    INSTALL_SCOPE scope
        = MakeInstallScope(state.installedDir, settings.registryroot, settings.registrykey, settings.gametitle);
    return LeftNothingOf(state.installLog, scope, kept);
}

bool CUninstall::ReplayInstallLog(const CKeptFiles* kept)
{
    const INSTALL_SETTINGS& settings = description.settings;
    INSTALL_SCOPE scope
        = MakeInstallScope(state.installedDir, settings.registryroot, settings.registrykey, settings.gametitle);
    return ReplayLog(state.installLog, scope, settings.startmenudir, state.isInstalledForAllUsers, kept);
}
