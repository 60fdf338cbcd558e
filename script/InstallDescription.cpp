#include "script/InstallDescription.h"

#include <cstring>
#include <type_traits>

#include "script/ScriptTexts.h"

// The record is cleared with memset and copied as a block; it must stay plain data.
static_assert(std::is_trivially_copyable<INSTALL_SETTINGS>::value, "INSTALL_SETTINGS must stay flat");
static_assert(std::is_standard_layout<INSTALL_SETTINGS>::value, "INSTALL_SETTINGS must stay flat");

#define ZV_FIELD(field, kind)                                                                                          \
    {                                                                                                                  \
#field, kind, offsetof(INSTALL_SETTINGS, field), sizeof(INSTALL_SETTINGS::field)                               \
    }
#define ZV_LIST_FIELD(field, kind)                                                                                     \
    {                                                                                                                  \
#field, kind, offsetof(INSTALL_SETTINGS, field), sizeof(INSTALL_SETTINGS::field[0])                            \
    }

const SETTING_FIELD kSettingFields[] = {
    ZV_FIELD(gametitle, kSettingText),
    ZV_FIELD(installsubdir, kSettingText),
    ZV_FIELD(startmenudir, kSettingText),
    ZV_FIELD(executefile, kSettingText),
    ZV_FIELD(executecommand, kSettingText),
    ZV_FIELD(uninstallcommand, kSettingText),
    ZV_FIELD(installtypecount, kSettingInteger),
    ZV_LIST_FIELD(installtypename, kSettingTextList),
    ZV_LIST_FIELD(installrequire, kSettingIntegerList),
    ZV_FIELD(registrykey, kSettingText),
    ZV_FIELD(registryroot, kSettingText),
    ZV_FIELD(registryinstalldirvalue, kSettingText),
    ZV_FIELD(registryinstalltypevalue, kSettingText),
    ZV_FIELD(directxrequire, kSettingInteger),
    ZV_FIELD(splashmessage, kSettingText),
    ZV_FIELD(installmessage, kSettingText),
    ZV_FIELD(uninstallmessage, kSettingText),
    ZV_FIELD(installfinishmessage, kSettingText),
    ZV_FIELD(uninstallfinishmessage, kSettingText),
    ZV_FIELD(eraseonuninstall, kSettingText),
    ZV_FIELD(eraseonuninstallmessage, kSettingText),
    ZV_FIELD(allowalluser, kSettingBool),
    ZV_FIELD(splashvoice, kSettingText),
    ZV_FIELD(installvoice, kSettingText),
    ZV_FIELD(uninstallvoice, kSettingText),
    ZV_FIELD(installfinishvoice, kSettingText),
    ZV_FIELD(uninstallfinishvoice, kSettingText),
    ZV_FIELD(numberofdisc, kSettingInteger),
    ZV_FIELD(changediscmessage, kSettingText),
    ZV_FIELD(changedisccaption, kSettingText),
    ZV_FIELD(redundantfilename, kSettingText),
    ZV_FIELD(dxsetup, kSettingText),
    ZV_FIELD(forceinstalltype, kSettingInteger),
    ZV_FIELD(installdir, kSettingText),
    ZV_FIELD(installtype, kSettingInteger),
    ZV_FIELD(desktopshortcut, kSettingBool),
    ZV_FIELD(startmenushortcut, kSettingBool),
    ZV_FIELD(forAllUsers, kSettingBool),
};
const int kSettingFieldCount = sizeof(kSettingFields) / sizeof(kSettingFields[0]);

const char* const kScriptVariableNames[kScriptVariableCount + 1] = {
    "",
    "gametitle",
    "installsubdir",
    "startmenudir",
    "executefile",
    "executecommand",
    "uninstallcommand",
    "installtypecount",
    "installtypename",
    "installrequire",
    "registrykey",
    "registryroot",
    "registryinstalldirvalue",
    "registryinstalltypevalue",
    "installdir",
    "installtype",
    "desktopshortcut",
    "startmenushortcut",
    "directxrequire",
    "splashmessage",
    "installmessage",
    "uninstallmessage",
    "installfinishmessage",
    "uninstallfinishmessage",
    "eraseonuninstall",
    "eraseonuninstallmessage",
    "allowalluser",
    "splashvoice",
    "installvoice",
    "uninstallvoice",
    "installfinishvoice",
    "uninstallfinishvoice",
    "numberofdisc",
    "changediscmessage",
    "changedisccaption",
    "redundantfilename",
    "dxsetup",
    "cmd",
    "forceinstalltype",
};

const char* const kScriptCommandNames[5] = {"", "start", "end", "mkdir", "mksc"};

const SETTING_FIELD* FindSettingField(const char* name)
{
    for (int i = 0; i < kSettingFieldCount; i++) {
        if (strcmp(kSettingFields[i].name, name) == 0)
            return &kSettingFields[i];
    }
    return nullptr;
}

void ResetSettings(INSTALL_SETTINGS* settings)
{
    memset(settings, 0, sizeof(*settings));
    settings->numberofdisc = 1;
    strcpy(settings->changediscmessage, ZV_TEXT_CHANGE_DISC_MESSAGE);
    strcpy(settings->changedisccaption, ZV_TEXT_CHANGE_DISC_CAPTION);
    settings->forceinstalltype = 0;
}

INSTALL_DESCRIPTION::INSTALL_DESCRIPTION()
    : makeDirCount(0)
{
    for (int i = 0; i <= kScriptVariableCount; i++)
        variableTable[CZVString(kScriptVariableNames[i])] = i;
    for (int i = kCommandNone; i <= kCommandMakeShortcut; i++)
        commandTable[CZVString(kScriptCommandNames[i])] = i;
    memset(makeDirs, 0, sizeof(makeDirs));
    memset(&settings, 0, sizeof(settings));
    memset(&settingsBackup, 0, sizeof(settingsBackup));
}

int32_t INSTALL_DESCRIPTION::LookUpVariable(const CZVString& name) const
{
    auto found = variableTable.find(name);
    return found == variableTable.end() ? 0 : found->second;
}

int32_t INSTALL_DESCRIPTION::LookUpCommand(const CZVString& name) const
{
    auto found = commandTable.find(name);
    return found == commandTable.end() ? 0 : found->second;
}

void INSTALL_DESCRIPTION::Reset()
{
    ResetSettings(&settings);
    for (auto& list : typeFiles)
        list.clear();
    discLabels.clear();
    commands.clear();
    shortcuts.clear();
    settingLines.clear();
    makeDirCount = 0;
}
