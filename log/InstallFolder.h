// The install folder as the script's two settings make it: what the install creates and logs first, and where
// everything else of the install lies. The install computes it, and so does the reading of a journal, which must find
// the same folder the install logged.
#pragma once

// The destination folder: installdir, a backslash unless it already ends in a real one, installsubdir, and a
// backslash unless the text so far ends in a real one. False (out "") when it would not fit kPathBytes.
bool MakeInstallFolder(const char* installdir, const char* installsubdir, char* out);

// The folder that the folder step creates and logs first: installdir, a backslash unless it ends in a real one,
// installsubdir; no trailing backslash is added (with an empty installsubdir the result ends in the backslash).
// False (out "") when it would not fit kPathBytes.
bool MakeTopFolder(const char* installdir, const char* installsubdir, char* out);
