// Removal of a folder with everything in it: the failed first start's work folder, and the uninstaller's clean-up
// of a folder that is plainly the title's own (Windows only).
#pragma once

#ifdef _WIN32
// Removes path (a trailing backslash is allowed) with everything in it; false when something could not be removed.
// A folder whose name begins with a dot stays, and so does a link below path (FindFirstEntry, IsFoundLink): it is
// never entered, and the folders above it stay. A drive's root is never removed. When the current folder is path,
// it is left for the parent first.
bool RemoveTree(const char* path);
#endif
