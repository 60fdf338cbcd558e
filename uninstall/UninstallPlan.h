// The uninstaller's decisions from data alone: which folder the fallback clean-up may remove as a whole, the
// patterns of the erase list, and which of them stay inside the install folder.
#pragma once

#include <vector>

#include "foundation/ZVString.h"

// True when the fallback clean-up may remove folder (the install folder, with or without its trailing backslash)
// with everything in it: it is no drive root, it is none of systemFolders and lies above none of them (compared
// without regard to ASCII case, trailing backslashes ignored), and its last component is installsubdir, which is
// not empty. Otherwise only the title's own files may go.
bool IsTitleOwnFolder(const char* folder, const char* installsubdir, const std::vector<CZVString>& systemFolders);

// True when an eraseonuninstall pattern stays inside the install folder: no drive, no leading backslash, no ".."
// component, no ":".
bool IsErasePatternInside(const char* pattern);

// The patterns of the script's erase list, in order: split at semicolons, carriage returns and line feeds, a run of
// them one separator; the list ends at the first empty pattern.
std::vector<CZVString> SplitErasePatterns(const char* eraseList);
