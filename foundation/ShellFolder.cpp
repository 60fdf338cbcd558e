#include "foundation/ShellFolder.h"

#include <shlobj.h>

#include "foundation/ShellCalls_win.h"

bool GetShellFolderPath(IMalloc* allocator, int folderId, char* path, HWND owner)
{
    path[0] = '\0';
    LPITEMIDLIST items = nullptr;
    if (FAILED(ZVSHGetSpecialFolderLocation(owner, folderId, &items)) || items == nullptr)
        return false;
    bool converted = ZVSHGetPathFromIDList(items, path) != FALSE;
    allocator->Free(items);
    if (!converted)
        path[0] = '\0';
    return converted && path[0] != '\0';
}

bool GetShellFolderPath(int folderId, char* path)
{
    path[0] = '\0';
    IMalloc* allocator = nullptr;
    if (FAILED(ZVSHGetMalloc(&allocator)) || allocator == nullptr)
        return false;
    bool found = GetShellFolderPath(allocator, folderId, path);
    allocator->Release();
    return found;
}
