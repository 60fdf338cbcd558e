// The installer's command line: the options -silent, -temp and -dir. A function on text, so the same decisions
// are tested natively and fuzzed.
#pragma once

#include "foundation/ZVString.h"

struct COMMAND_LINE_OPTIONS {
    bool silent; // -silent: start the disc's ZVSetup.exe from a CD-ROM drive
    bool temp; // -temp: this process is the relaunched copy in the work folder
    char dir[kPathBytes]; // the value of -dir, "" when absent
};

// Clears options, then scans cmdLine (null counts as empty). An option is a hyphen and a name ended by a space
// or a colon; names match by prefix and without regard to ASCII case ("-temporary " is -temp). A name followed
// by neither (the last word of the line) is not recognised. The value of -dir starts right after the space or
// colon: in double quotes it may hold spaces and ends at the closing quote; unquoted it ends at a space, and an
// unquoted value that reaches the end of the line is not stored. Tokens keep at most 259 bytes; further bytes
// are dropped.
void ParseCommandLine(const char* cmdLine, COMMAND_LINE_OPTIONS* options);
