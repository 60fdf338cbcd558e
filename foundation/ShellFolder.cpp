#include "foundation/ShellFolder.h"

#include <shlobj.h>

bool GetShellFolderPath(IMalloc* allocator, int folderId, char* path, HWND owner)
{
    path[0] = '\0';
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(owner, folderId, &items)) || items == nullptr)
        return false;
    bool converted = SHGetPathFromIDListA(items, path) != FALSE;
    allocator->Free(items);
    if (!converted)
        path[0] = '\0';
    return converted && path[0] != '\0';
}
