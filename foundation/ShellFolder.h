// The path of one of the shell's special folders (Windows only): the Start menu's programs folders, the desktops,
// Program Files, ...
#pragma once

#include "foundation/SystemApi.h"

struct IMalloc;

// The path of the special folder folderId (a CSIDL_ value) into path (kPathBytes), asked with owner as the owner of
// any window the shell shows; the item list is freed with allocator. False (path "") when the shell does not have
// that folder on this system or it has no file-system path.
bool GetShellFolderPath(IMalloc* allocator, int folderId, char* path, HWND owner = nullptr);

// The same with the shell's allocator taken and released here, for a caller that holds none.
bool GetShellFolderPath(int folderId, char* path);
