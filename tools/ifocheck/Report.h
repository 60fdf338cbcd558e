// What ifocheck prints: the summary for people and the JSON form for programs. All output is UTF-8 here.
#pragma once

#include <string>
#include <vector>

#include "script/InstallDescription.h"
#include "script/ScriptParser.h"

// Title, install types (name, need, file entries), discs and labels, directories, shortcuts and buttons.
std::string FormatSummary(const INSTALL_DESCRIPTION& description);

// The whole description as one JSON object; warnings, when given, become its "warnings" array.
std::string FormatJson(const INSTALL_DESCRIPTION& description, const std::vector<std::string>* warnings);

// {"error": {"message", "line", "text"}}.
std::string FormatJsonError(const SCRIPT_ERROR& error);
