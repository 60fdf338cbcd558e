// Checks an install description against the folders of its discs: what the installer would miss later.
#pragma once

#include <string>
#include <vector>

#include "script/InstallDescription.h"

// Whether name matches pattern as the system's file search matches them: '*' any run of characters, '?' one
// character, ASCII letters without regard to case, and a pattern ending in ".*" also matches a name without a
// dot. Both are UTF-8.
bool MatchesWildcard(const std::string& pattern, const std::string& name);

// The number of install types the description's lists hold (installtypecount within 0 and kMaxInstallTypes).
int InstallTypeCount(const INSTALL_DESCRIPTION& description);

// The install types (from 0) whose file lists install nothing at relativePath, a script path in UTF-8.
std::vector<int> InstallTypesMissing(const INSTALL_DESCRIPTION& description, const std::string& relativePath);

// The warnings for the description against discFolders (UTF-8 paths; disc n is discFolders[n - 1]), one line each,
// in UTF-8, in this order: file entries, disc markers, the splash picture, the DirectX library, buttons, shortcuts
// that some install types miss (CheckScript names those that all miss) and the program, the installer's own files.
std::vector<std::string> CheckAgainstDiscs(
    const INSTALL_DESCRIPTION& description, const std::vector<std::string>& discFolders);
