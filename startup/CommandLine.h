// The installer's command line: the options -silent, -temp and -dir of every start, and the options of an
// unattended run (-quiet with its choices). A function on text, so the same decisions are tested natively and
// fuzzed.
#pragma once

#include <cstdint>

#include "foundation/ZVString.h"

struct COMMAND_LINE_OPTIONS {
    bool silent; // -silent: start the disc's ZVSetup.exe from a CD-ROM drive
    bool temp; // -temp: this process is the relaunched copy in the work folder
    char dir[kPathBytes]; // the value of -dir, "" when absent

    // The unattended run: no window and no message box, a final exit code.
    bool quiet; // -quiet
    bool reinstall; // -reinstall: an installed title is installed again
    bool uninstall; // -uninstall: the uninstall in place of the install
    bool erase; // -erase: the uninstall also deletes the script's list of extra files
    bool noDesktop; // -nodesktop
    bool noStartMenu; // -nostartmenu
    bool allUsers; // -allusers
    int32_t type; // -type:N, 1-based as the player sees the types; 0 when absent
    char target[kPathBytes]; // -target: the base folder, "" when absent
    char log[kPathBytes]; // -log: the file the run reports to, "" when absent
    char badOption[kPathBytes]; // the first option that was not understood, as written; "" when none
};

// Clears options, then scans cmdLine (null counts as empty). An option is a hyphen and a name ended by a space
// or a colon (the value of an option follows it).
//
// -silent, -temp and -dir match by prefix and without regard to ASCII case ("-temporary " is -temp); such a name
// at the very end of the line is not recognised. The value of -dir starts right after the space or colon: in
// double quotes it may hold spaces and ends at the closing quote; unquoted it ends at a space, and an unquoted
// value that reaches the end of the line is not stored. Its value keeps at most 259 bytes.
//
// The other names match whole and without regard to ASCII case; the end of the line ends them and their values
// too. -type, -target and -log take a value like -dir; a value that is missing, unterminated, over 259 bytes, holds a
// double quote, or (for -type) not a number from 1 to 999 makes the option bad. A name that is none of these is bad
// too; its value (after a colon, quoted or plain) is passed over, and the options after it are read as usual. The first
// bad option is kept in badOption.
void ParseCommandLine(const char* cmdLine, COMMAND_LINE_OPTIONS* options);

// The options of an unattended run that the first start hands on to the copy, each after a blank ("" when
// -quiet is not given): -quiet, then -reinstall, -uninstall, -erase, -nodesktop, -nostartmenu, -allusers, -type:N,
// -target:"..." and -log:"..." where given. The folder and the file must already be absolute: the copy works in
// another folder.
CZVString FormatHandedOnOptions(const COMMAND_LINE_OPTIONS& options);
