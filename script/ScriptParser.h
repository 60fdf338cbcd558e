// The Install.ifo parser: text in, install description or the first syntax error out. Needs no window; the main
// window's ReadInstallInfo loads the file, runs it and shows the error.
#pragma once

#include <cstdint>

#include "foundation/ZVString.h"
#include "script/InstallDescription.h"

// The first syntax error of a script.
struct SCRIPT_ERROR {
    const char* message; // one of the ZV_ERROR_ texts of ScriptTexts.h; null while there is no error
    int32_t line; // from 1; for an error found at the end of the file, one more than the file's lines
    CZVString lineText; // the line after trimming; empty for an error at the end of the file
};

// Resets description (not its tables), then fills it from text. Returns true when the whole text was read and
// the description is complete (settingsBackup then equals settings); false at the first syntax error, with error
// filled and the description holding what was stored before it.
bool ParseInstallScript(const CZVString& text, INSTALL_DESCRIPTION* description, SCRIPT_ERROR* error);

enum SCRIPT_READ_RESULT { kScriptRead, kScriptUnreadable, kScriptSyntaxError };

// Resets description, loads fileName as a plain file and parses it. kScriptUnreadable leaves error untouched.
SCRIPT_READ_RESULT ReadInstallScript(const char* fileName, INSTALL_DESCRIPTION* description, SCRIPT_ERROR* error);

// The text of the syntax error box: the message, the file name, the line number and the trimmed line. Like every
// Format result it is cut to 1023 bytes, and a very long line loses its end.
CZVString FormatScriptError(const SCRIPT_ERROR& error, const char* fileName);

// Reads an integer as the C library's atoi does (leading white space, an optional sign, decimal digits up to the
// first other character; no digits read as 0), except that a value beyond 32 bits saturates instead of wrapping.
int32_t ReadScriptInteger(const char* text);
