// The files that a pattern matches in the install folder: deleted for the script's erase list, and for the script's
// own files when the clean-up has no log to go by; listed when the player keeps what the erase list names (Windows
// only). A link is never a match and a pattern whose folder part passes through one matches nothing (LinkEntry.h).
#pragma once

class CKeptFiles;

// Deletes every file (not folder) that relativePattern, taken relative to installFolder, matches; sub-folders are
// not entered. A pattern that would leave the install folder (IsErasePatternInside) or pass through a link deletes
// nothing and gives false. The install log "uninst.dat" in the install folder itself is never deleted here: the
// replay needs it, and removes it last. Nor is a file that kept (null: none) holds.
bool DeleteMatchingFiles(const char* installFolder, const char* relativePattern, const CKeptFiles* kept = nullptr);

// Adds to kept every file that deleting the patterns of eraseList (SplitErasePatterns) would delete.
void ListErasedFiles(const char* installFolder, const char* eraseList, CKeptFiles* kept);
