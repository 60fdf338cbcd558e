// The deletion of the files that a pattern matches in the install folder: the script's erase list, and the
// script's own files when the clean-up has no log to go by (Windows only).
#pragma once

// Deletes every file (not folder) that relativePattern, taken relative to installFolder, matches; sub-folders are
// not entered. A pattern that would leave the install folder (IsErasePatternInside) deletes nothing and gives
// false. The install log "uninst.dat" in the install folder itself is never deleted here: the replay needs it, and
// removes it last.
bool DeleteMatchingFiles(const char* installFolder, const char* relativePattern);

// True when path (a full path) is one of the files that relativePattern (as DeleteMatchingFiles takes it) matches.
bool IsMatchingFile(const char* installFolder, const char* relativePattern, const char* path);
