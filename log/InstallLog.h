// The install log: everything an install creates is recorded, in the order it is created, as one line of a plain
// Shift-JIS text that ends with a line feed. The writers append the lines formatted here; the replay reads each
// line back with ReadLogLine and undoes it only when IsInstallAction says that an install of this program can
// have written it. This is the one place where the format is defined.
//
//   ## <title>インストールログ 2026-12- 7  9: 5: 3   header (date and time padded with spaces)
//   $InstallType = 1                               the chosen type, 0-based         } skipped by the replay:
//   $InstallDir = C:\Games                         the chosen base folder           } "#", "!" and "$" lines
//   mkdir C:\Games\Title                           a folder (absolute)
//   #FileCopy
//   copy data\a.dat                                a file, relative to the install folder
//   #Copy Finished
//   #Make Shortcut
//   mkshortcut C:\...\Title.lnk                    a link (absolute)
//   #Registry Set
//   regcreateu Software\Root,Key                   HKEY_CURRENT_USER   (regcreateau: HKEY_USERS)
//   !regset InstallDir                             a value written inside the logged key
//   #set Uninstall Info
//   regcreatel Software\Microsoft\Windows\CurrentVersion\Uninstall,Title    HKEY_LOCAL_MACHINE
//   !regset UninstallString
//   copy uninst.dat                                the log file itself, deleted first by the replay
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/ZVString.h"

// The local time of the header.
struct LOG_TIME {
    int year;
    int month;
    int day;
    int hour;
    int minute;
    int second;
};

enum LOG_REGISTRY_ROOT {
    kLogCurrentUser, // "regcreateu"
    kLogLocalMachine, // "regcreatel"
    kLogAllUsers, // "regcreateau": HKEY_USERS
};

// Each line as the writers append it, line feed included.
CZVString FormatLogHeader(const char* title, const LOG_TIME& time);
CZVString FormatLogInstallType(int32_t installType);
CZVString FormatLogInstallDir(const char* baseFolder);
CZVString FormatLogMakeDir(const char* folder);
CZVString FormatLogCopy(const char* relativePath);
CZVString FormatLogShortcut(const char* linkPath);
CZVString FormatLogRegistryKey(LOG_REGISTRY_ROOT root, const char* keyPath, const char* subkey);
CZVString FormatLogValue(const char* valueName); // "!regset %s\n"
extern const char kLogFileCopyBegins[]; // "#FileCopy\n"
extern const char kLogFileCopyFinished[]; // "#Copy Finished\n"
extern const char kLogShortcutsBegin[]; // "#Make Shortcut\n"
extern const char kLogRegistryBegins[]; // "#Registry Set\n"
extern const char kLogUninstallEntryBegins[]; // "#set Uninstall Info\n"
extern const char kLogSelfCopy[]; // "copy uninst.dat\n"

enum LOG_ACTION_KIND {
    kLogSkip, // a comment, a note, a variable record, an empty line or argument, or an unknown verb
    kLogRemoveFolder, // "mkdir": RemoveDirectoryA of path (only an empty folder goes)
    kLogDeleteFile, // "copy": DeleteFileA of path, relative to the install folder
    kLogDeleteShortcut, // "mkshortcut": DeleteFileA of path
    kLogDeleteKey, // "regcreate*": delete subkey with all its subkeys under root\keyPath
};

// What one line asks the replay to undo.
struct LOG_ACTION {
    LOG_ACTION_KIND kind;
    bool unknownVerb; // kLogSkip for a verb line whose verb is none of the above (the replay traces it)
    CZVString verb; // the verb as written (verb lines only)
    CZVString path; // the argument of mkdir, copy and mkshortcut
    LOG_REGISTRY_ROOT root;
    CZVString keyPath; // the registry lines' key path and subkey
    CZVString subkey;
};

// The lines of a log text, first to last, as the replay reads them (GetLineTable): split at line feeds, a carriage
// return before one dropped; after a final line feed comes one empty line. An empty text has no lines.
std::vector<CZVString> SplitLogLines(const CZVString& log);

// Reads one line (without its line break): the verb is the first token split at space, tab and line feed,
// compared without regard to ASCII case; the argument is the rest of the line. A registry line splits its argument
// at the first comma (the run of commas after it is dropped) into key path and subkey; the subkey is the rest of the
// line, later commas included.
LOG_ACTION ReadLogLine(const CZVString& line);

// What belongs to the title whose log is replayed: where its install puts things and the names it gives them, from
// the script the uninstall reads and the system's shell folders. Built once per replay; every replay (the uninstall,
// the undo of a failed install, the journal of an interrupted one) goes through the same rules.
struct INSTALL_SCOPE {
    CZVString installFolder; // absolute, with its trailing backslash; empty when not known
    CZVString registryRoot; // the script's registryroot
    CZVString registryKey; // the script's registrykey
    CZVString title; // the script's gametitle: the uninstall entry's name
    std::vector<CZVString> programFolders; // the Start menu's programs folders, the user's and the common one
    std::vector<CZVString> desktopFolders; // the desktops, the user's and the common one
};

// True when an install of this title can have written the action: "copy" a relative path inside the install folder
// (no drive, no leading backslash, no "..", no ":"); "mkdir" the install folder itself or a folder below it;
// "mkshortcut" a ".lnk" file below a programs folder or right in a desktop folder, on a drive (no network or device
// path, no stream, no ".."); "regcreateu" / "regcreateau" exactly the key path "Software\<registryRoot>" /
// ".DEFAULT\Software\<registryRoot>" and the subkey registryKey, both names not empty; "regcreatel" exactly the
// Windows uninstall key and the subkey title, without a backslash. A log that the installer wrote passes whole;
// anything else (a tampered "uninst.dat") is skipped like an unknown verb. Paths and key names compare without
// regard to ASCII case.
bool IsInstallAction(const LOG_ACTION& action, const INSTALL_SCOPE& scope);
