// The last two install steps: the install folder and type in the title's own key (what the menu reads to know
// that the title is installed), and the title's entry in the Windows list of installed programs. Both log the
// keys they create, so that the undo and the uninstaller delete them again.
#include "engine/EngineTexts.h"
#include "engine/Install.h"
#include "engine/InstallPlan.h"
#include "foundation/RegProfile.h"
#include "log/InstallLog.h"

bool CInstall::WriteRegistrySettings()
{
    AppendLogLine(kLogRegistryBegins);
    HKEY root = settings.forAllUsers ? HKEY_USERS : HKEY_CURRENT_USER;
    CZVString basePath
        = CZVString::Format(settings.forAllUsers ? ".DEFAULT\\Software\\%s" : "Software\\%s", settings.registryroot);
    CRegProfile profile;
    profile.SetRoot(root, basePath.GetString());
    AppendLogLine(FormatLogRegistryKey(
        settings.forAllUsers ? kLogAllUsers : kLogCurrentUser, basePath.GetString(), settings.registrykey));
    if (profile.Create(settings.registrykey)) {
        if (profile.SetString(settings.registryinstalldirvalue, state.installedDir)) {
            AppendLogLine(FormatLogValue(settings.registryinstalldirvalue));
            int32_t typeValue = settings.forceinstalltype != 0 ? settings.forceinstalltype : settings.installtype;
            if (profile.SetInt(settings.registryinstalltypevalue, static_cast<DWORD>(typeValue)))
                AppendLogLine(FormatLogValue(settings.registryinstalltypevalue));
        }
    }
    profile.Close();
    return true;
}

bool CInstall::WriteUninstallEntry()
{
    AppendLogLine(kLogUninstallEntryBegins);
    // The title names the entry's key: a backslash in it would make keys below the entry that the uninstaller,
    // which deletes exactly one key below the uninstall list, would leave behind.
    if (settings.gametitle[0] == '\0' || CZVString(settings.gametitle).Find('\\') >= 0)
        return false;
    CRegProfile profile;
    profile.SetRoot(HKEY_LOCAL_MACHINE, ZV_UNINSTALL_KEY);
    // Logged before the key is made, so that the undo deletes the whole key whatever happens next.
    AppendLogLine(FormatLogRegistryKey(kLogLocalMachine, ZV_UNINSTALL_KEY, settings.gametitle));
    if (!profile.Create(settings.gametitle))
        return false;

    // Built by joining, not by Format: four path-sized parts can pass Format's 1024 bytes.
    // The kept copy where the install made one: the install folder's own program and files are anyone's to change.
    const char* uninstallerFolder = keptFolder[0] != '\0' ? keptFolder : state.installedDir;
    CZVString uninstallString = CZVString("\"") + uninstallerFolder + state.moduleFileName + "\" -dir \""
        + uninstallerFolder + "\"" + settings.uninstallcommand;
    bool written = profile.SetString("DisplayName", settings.gametitle)
        && profile.SetString("UninstallString", uninstallString.GetString());
    if (written) {
        CZVString icon = CZVString("\"") + state.installedDir + settings.executefile + "\"";
        profile.SetString("DisplayIcon", icon.GetString());
        profile.SetString("DisplayVersion", CZVString::Format("%d.%d", fileVersionMajor, fileVersionMinor).GetString());
        profile.SetString("Publisher", ZV_UNINSTALL_PUBLISHER);
        // installtype comes from the script unchecked until the settings dialog sets it: only a real type has a
        // size. Kilobytes of a need given in megabytes.
        if (settings.installtype >= 0 && settings.installtype < kMaxInstallTypes) {
            int32_t megabytes = settings.installrequire[settings.installtype];
            profile.SetInt("EstimatedSize", megabytes > 0 ? static_cast<DWORD>(megabytes) * 1024u : 0u);
        }
        // What other installers give the list of installed programs: the unattended uninstall, the folder, the day.
        CZVString quietUninstall = uninstallString + ZV_QUIET_UNINSTALL_OPTIONS;
        profile.SetString("QuietUninstallString", quietUninstall.GetString());
        profile.SetString("InstallLocation", state.installedDir);
        SYSTEMTIME today;
        GetLocalTime(&today);
        profile.SetString("InstallDate", FormatInstallDate(today.wYear, today.wMonth, today.wDay).GetString());
        profile.SetInt("NoModify", 1);
        profile.SetInt("NoRepair", 1);
        AppendLogLine(FormatLogValue("UninstallString"));
    }
    profile.Close();
    return written;
}
