#include "tools/ifocheck/ScriptCheck.h"

#include "tools/HostText.h"
#include "tools/ifocheck/DiscCheck.h"

namespace {

struct REGISTRY_SETTING {
    const char* variable; // as the parser keys it
    const char* shown; // as a script writer spells it
    char (INSTALL_SETTINGS::*field)[kRegistryNameBytes];
};

const REGISTRY_SETTING kRegistrySettings[] = {
    {"registryroot", "$RegistryRoot", &INSTALL_SETTINGS::registryroot},
    {"registrykey", "$RegistryKey", &INSTALL_SETTINGS::registrykey},
};

} // namespace

std::string SettingLine(const INSTALL_DESCRIPTION& description, const char* variable)
{
    auto found = description.settingLines.find(CZVString(variable));
    return found == description.settingLines.end() ? "not set" : "line " + std::to_string(found->second);
}

std::vector<std::string> CheckScript(const INSTALL_DESCRIPTION& description)
{
    std::vector<std::string> warnings;
    const INSTALL_SETTINGS& settings = description.settings;
    for (const REGISTRY_SETTING& setting : kRegistrySettings) {
        if ((settings.*setting.field)[0] == '\0')
            warnings.push_back(SettingLine(description, setting.variable) + ": " + setting.shown
                + " is empty: the menu says the registry settings are missing and installs nothing");
    }
    int typeCount = InstallTypeCount(description);
    for (const SHORTCUT_ENTRY& shortcut : description.shortcuts) {
        std::string target = Cp932ToUtf8(shortcut.target);
        if (!target.empty() && typeCount > 0
            && InstallTypesMissing(description, target).size() == static_cast<size_t>(typeCount))
            warnings.push_back("line " + std::to_string(shortcut.scriptLine) + ": shortcut "
                + Cp932ToUtf8(shortcut.name) + ": target " + target + " is installed by no install type");
    }
    return warnings;
}
