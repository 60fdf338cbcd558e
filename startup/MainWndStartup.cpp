// The start-up members of the main window: the disc folder and the removal of a folder with its contents.
#include "foundation/SystemApi.h"
#include "ui/MainWnd.h"

#include <cstring>

namespace {

// Closes a find handle when the listing is left, whichever way.
class CFindHandle {
public:
    explicit CFindHandle(HANDLE handle)
        : m_handle(handle)
    {
    }
    ~CFindHandle()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            FindClose(m_handle);
    }
    CFindHandle(const CFindHandle&) = delete;
    CFindHandle& operator=(const CFindHandle&) = delete;
    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// True when the last byte of text is a backslash of its own, not the trail byte of a double-byte character
// such as "表" (95 5C).
bool EndsWithRealBackslash(const char* text)
{
    const char* last = nullptr;
    for (const char* cursor = text; *cursor != '\0';) {
        last = cursor;
        cursor += IsDBCSLeadByte(static_cast<BYTE>(*cursor)) && cursor[1] != '\0' ? 2 : 1;
    }
    return last != nullptr && last[0] == '\\' && last[1] == '\0';
}

// "%s\%s" into a kPathBytes buffer; false when it would not fit, so that no cut path is ever used.
bool FormatChildPath(char* out, const char* folder, const char* name)
{
    size_t folderLength = strlen(folder);
    size_t nameLength = strlen(name);
    if (folderLength + 1 + nameLength >= static_cast<size_t>(kPathBytes))
        return false;
    memcpy(out, folder, folderLength);
    out[folderLength] = '\\';
    memcpy(out + folderLength + 1, name, nameLength + 1);
    return true;
}

enum ContentsResult {
    kContentsFailed,
    kContentsNotListed, // the folder could not be listed: there is nothing to remove
    kContentsRemoved,
};

// Removes what the folder holds; stops at the first failure. The listing is closed when this returns, before the
// folder itself goes.
ContentsResult RemoveContents(CMainWnd* owner, const char* folder)
{
    char pattern[kPathBytes];
    if (!FormatChildPath(pattern, folder, "*.*"))
        return kContentsFailed;
    WIN32_FIND_DATAA found;
    CFindHandle listing(FindFirstFileA(pattern, &found));
    if (!listing.IsValid())
        return kContentsNotListed;
    do {
        bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        // "." and ".." begin with a dot, and so does every other folder this skips.
        if (isFolder && found.cFileName[0] == '.')
            continue;
        char child[kPathBytes];
        if (!FormatChildPath(child, folder, found.cFileName))
            return kContentsFailed;
        if (isFolder ? !owner->RemoveTree(child) : !DeleteFileA(child))
            return kContentsFailed;
    } while (FindNextFileA(listing.Get(), &found));
    return kContentsRemoved;
}

} // namespace

void CMainWnd::SetSourceDir(const char* path)
{
    if (path == nullptr)
        return;
    size_t length = strlen(path);
    if (length >= 1 && length < sizeof(sourceDir))
        memcpy(sourceDir, path, length + 1);
}

bool CMainWnd::RemoveTree(const char* path)
{
    if (path == nullptr)
        return false;
    char folder[kPathBytes];
    size_t length = strlen(path);
    if (length >= sizeof(folder))
        return false;
    memcpy(folder, path, length + 1);
    if (EndsWithRealBackslash(folder))
        folder[--length] = '\0';
    // An empty path or a bare drive would list the root of a drive: never remove that.
    if (length == 0 || (length == 2 && folder[1] == ':'))
        return false;

    switch (RemoveContents(this, folder)) {
    case kContentsFailed: return false;
    case kContentsNotListed: return true;
    case kContentsRemoved: break;
    }

    char current[kPathBytes];
    DWORD currentLength = GetCurrentDirectoryA(sizeof(current), current);
    if (currentLength > 0 && currentLength < sizeof(current) && strcmp(current, folder) == 0)
        SetCurrentDirectoryA("..");
    return RemoveDirectoryA(folder) != FALSE;
}
