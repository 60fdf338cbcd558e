// The checks that need the script alone: what the menu would refuse or the copy would miss whatever the discs hold.
#pragma once

#include <string>
#include <vector>

#include "script/InstallDescription.h"

// "line N" of the script line that last set variable (its lower-case name), or "not set" when no line did.
std::string SettingLine(const INSTALL_DESCRIPTION& description, const char* variable);

// The warnings for the description, one line each in UTF-8, each naming its script line: an empty registry root or
// key (the menu refuses to work without them), a link whose target no install type installs.
std::vector<std::string> CheckScript(const INSTALL_DESCRIPTION& description);
