#include "ui/BrowseFolder.h"

#include "foundation/FileCalls.h"
#include "foundation/PathText.h"
#include "foundation/ShellCalls_win.h"
#include "foundation/WindowCalls_win.h"

namespace {

const int kTitleBytes = 256; // 255 bytes and the terminator

} // namespace

CBrowseFolder::CBrowseFolder()
{
    comInitialised = SUCCEEDED(ZVCoInitialize());
    path[0] = '\0';
    title[0] = '\0';
    ZeroMemory(&info, sizeof(info));
    info.pszDisplayName = path;
    info.lpszTitle = title;
}

CBrowseFolder::~CBrowseFolder()
{
    if (comInitialised)
        ZVCoUninitialize();
}

void CBrowseFolder::SetOwner(HWND owner)
{
    info.hwndOwner = owner;
}

void CBrowseFolder::SetTitle(const char* text)
{
    CopyCutAtChar(title, kTitleBytes, text);
}

void CBrowseFolder::SetFlags(UINT flags)
{
    info.ulFlags = flags;
}

void CBrowseFolder::SetPath(const char* text)
{
    CopyCutAtChar(path, sizeof(path), text);
}

const char* CBrowseFolder::GetPath() const
{
    return path;
}

int CBrowseFolder::Browse()
{
    // The browser may change the current directory; the install steps rely on theirs.
    char currentDir[kPathBytes];
    DWORD length = ZVGetCurrentDirectory(sizeof(currentDir), currentDir);
    if (length == 0 || length >= sizeof(currentDir))
        currentDir[0] = '\0';

    int result = 2;
    LPITEMIDLIST chosen = BrowseForProgramFolder(&info);
    if (chosen != nullptr) {
        IMalloc* allocator = nullptr;
        if (SUCCEEDED(ZVSHGetMalloc(&allocator)) && allocator != nullptr) {
            // A choice without a file-system path (a virtual folder) is no folder to install into.
            if (ZVSHGetPathFromIDList(chosen, path) && path[0] != '\0')
                result = 1;
            allocator->Free(chosen);
            allocator->Release();
        }
    }

    if (currentDir[0] != '\0')
        ZVSetCurrentDirectory(currentDir);
    return result;
}
