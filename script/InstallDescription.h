// The install description: the parsed form of Install.ifo. One flat record of scalar settings, the file lists of
// the install types, the directories and shortcuts to make, the extra menu buttons and the disc labels. The main
// window holds it for the life of the process; every other part reads and writes these members directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "foundation/ZVString.h"

const int kMaxInstallTypes = 10;
const int kMaxMakeDirs = 256;
const int kTitleBytes = 64;
const int kMessageBytes = 1024;
const int kRegistryNameBytes = 64;
const int kTypeNameBytes = 64;

// All scalar settings, fixed-width and without pointers, so that a reset is one clearing and a backup or a restore
// is one copy. Texts are zero-terminated Shift-JIS; each field is named as the script variable that sets it.
struct INSTALL_SETTINGS {
    char gametitle[kTitleBytes];
    char installsubdir[kPathBytes];
    char startmenudir[kPathBytes];
    char executefile[kPathBytes];
    char executecommand[kPathBytes];
    char uninstallcommand[kPathBytes];
    int32_t installtypecount; // 1 to 10 after a successful parse (or negative, then no type has files)
    char installtypename[kMaxInstallTypes][kTypeNameBytes];
    int32_t installrequire[kMaxInstallTypes]; // units of 1,000,000 bytes
    char registrykey[kRegistryNameBytes];
    char registryroot[kRegistryNameBytes];
    char registryinstalldirvalue[kRegistryNameBytes];
    char registryinstalltypevalue[kRegistryNameBytes];
    int32_t directxrequire;
    char splashmessage[kMessageBytes];
    char installmessage[kMessageBytes];
    char uninstallmessage[kMessageBytes];
    char installfinishmessage[kMessageBytes];
    char uninstallfinishmessage[kMessageBytes];
    char eraseonuninstall[kPathBytes]; // file patterns separated by semicolons
    char eraseonuninstallmessage[kMessageBytes];
    bool allowalluser;
    char splashvoice[kMessageBytes];
    char installvoice[kMessageBytes];
    char uninstallvoice[kMessageBytes];
    char installfinishvoice[kMessageBytes];
    char uninstallfinishvoice[kMessageBytes];
    int32_t numberofdisc; // at least 1
    char changediscmessage[kMessageBytes]; // a format: %s is the disc label
    char changedisccaption[kMessageBytes]; // formatted with the disc label too
    char redundantfilename[kMessageBytes];
    char dxsetup[kMessageBytes]; // relative to the disc folder; empty until first use when the script names none
    int32_t forceinstalltype; // when not 0, written to the registry instead of installtype
    char installdir[kPathBytes];
    int32_t installtype; // 0-based
    bool desktopshortcut;
    bool startmenushortcut;
    bool forAllUsers; // set only by the settings dialog
};

// One file to install: a path relative to the disc folder, possibly with a folder part and wildcards.
struct FILE_ENTRY {
    CZVString fileName;
    int32_t disc; // from 1; the script may also give a negative number
};

const int kShortcutNameBytes = 128;
const int kShortcutArgumentsBytes = 128;

// One shortcut made by &mksc.
struct SHORTCUT_ENTRY {
    char name[kShortcutNameBytes]; // link file name without ".lnk"
    char target[kPathBytes]; // relative to the install folder
    char arguments[kShortcutArgumentsBytes];
    int32_t iconIndex;
    int32_t scriptLine; // the &mksc line, from 1
};

// One extra button of the menu window, made by $cmd.
struct COMMAND_ENTRY {
    char command[kPathBytes];
    char caption[kMessageBytes];
    bool waitForExit;
    int32_t buttonId; // 0 until the menu window makes the button
};

// How the value of a settings field is written in the script and kept in the record.
enum SETTING_KIND {
    kSettingText,
    kSettingInteger,
    kSettingBool,
    kSettingTextList, // kMaxInstallTypes texts
    kSettingIntegerList, // kMaxInstallTypes integers
};

// Where one field of INSTALL_SETTINGS lies, for code that walks the record by name (the parser, ifocheck --json).
struct SETTING_FIELD {
    const char* name;
    SETTING_KIND kind;
    size_t offset;
    size_t bytes; // the whole field; for a text list the bytes of one entry
};

// Every field of INSTALL_SETTINGS, in declaration order.
extern const SETTING_FIELD kSettingFields[];
extern const int kSettingFieldCount;
// The field called name, or null.
const SETTING_FIELD* FindSettingField(const char* name);

// Zero everywhere, except numberofdisc 1 and the two disc-change texts.
void ResetSettings(INSTALL_SETTINGS* settings);

// The members of the main window that hold the install description, in their order. The two tables map the
// script's variable and command names (lower case, compared byte by byte) to their numbers; the empty name maps
// to 0, and so does any name that is absent.
struct INSTALL_DESCRIPTION {
    INSTALL_DESCRIPTION();

    std::map<CZVString, int32_t> variableTable;
    std::map<CZVString, int32_t> commandTable;
    std::vector<FILE_ENTRY> typeFiles[kMaxInstallTypes]; // list t: the files of install type t, in script order
    std::vector<CZVString> discLabels; // disc n at index n - 1
    std::vector<COMMAND_ENTRY> commands;
    std::vector<SHORTCUT_ENTRY> shortcuts;
    std::map<CZVString, int32_t> settingLines; // the script line (from 1) that last set each variable, by its name
    int32_t makeDirCount;
    char makeDirs[kMaxMakeDirs][kPathBytes];
    INSTALL_SETTINGS settings;
    INSTALL_SETTINGS settingsBackup; // the settings as the script left them

    int32_t LookUpVariable(const CZVString& name) const;
    int32_t LookUpCommand(const CZVString& name) const;

    // Empties every list and resets settings (not the tables, not settingsBackup).
    void Reset();
    void BackUpSettings() { settingsBackup = settings; }
    void RestoreSettings() { settings = settingsBackup; }
};

// The script's variables by number (1 to 38, in the order the variable table numbers them; 0 is the empty name).
const int kScriptVariableCount = 38;
extern const char* const kScriptVariableNames[kScriptVariableCount + 1];
// The script's commands by number (1 to 4; 0 is the empty name).
enum SCRIPT_COMMAND { kCommandNone, kCommandStart, kCommandEnd, kCommandMakeDir, kCommandMakeShortcut };
extern const char* const kScriptCommandNames[5];
