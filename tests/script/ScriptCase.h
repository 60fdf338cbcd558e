// Table-driven script tests: a script text and what it must give. Rows name what they prove; a failing row
// reports the row and the caller's line.
#pragma once

#include <cstdint>
#include <memory>

#include "script/InstallDescription.h"
#include "script/ScriptParser.h"

struct SCRIPT_CASE {
    const char* proves;
    const char* script; // lines joined with "\n" (or "\r\n"); literals are Shift-JIS like the program's
    const char* error; // the expected error text (ZV_ERROR_...), or null when the script must parse
    int32_t errorLine;
    // For a script that parses: further expectations on the description (may be null).
    void (*check)(const INSTALL_DESCRIPTION& description);
};

// The description is large (the directory table alone is 66 KB): tests keep it on the heap.
std::unique_ptr<INSTALL_DESCRIPTION> NewDescription();

// Parses row.script and checks the result against the row; callerLine points a failure at the table.
void RunScriptCase(const SCRIPT_CASE& row, int callerLine);

// Parses a script that must be valid and returns its description (a failed parse is a test failure).
std::unique_ptr<INSTALL_DESCRIPTION> ParseValidScript(const char* script, int callerLine);
