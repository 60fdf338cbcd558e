#include "foundation/LinkEntry.h"

#include <cstring>

#include "foundation/FileCalls.h"
#include "foundation/PathText.h"
#include "foundation/ScopedHandles.h"

HANDLE FindFirstEntry(const char* pattern, WIN32_FIND_DATAA* found)
{
    found->dwReserved0 = 0;
    return ZVFindFirstFile(pattern, found);
}

bool FindNextEntry(HANDLE listing, WIN32_FIND_DATAA* found)
{
    found->dwReserved0 = 0;
    return ZVFindNextFile(listing, found) != FALSE;
}

bool IsFoundLink(const WIN32_FIND_DATAA& found)
{
    // The tag is in dwReserved0 only for a reparse point; the 95 family never reports one.
    return IsLinkEntry(found.dwFileAttributes, true, found.dwReserved0);
}

bool IsLinkPath(const char* path)
{
    DWORD attributes = ZVGetFileAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & kReparsePointAttribute) == 0)
        return false;
    WIN32_FIND_DATAA found;
    CFindHandle entry(FindFirstEntry(path, &found));
    return entry.IsValid() ? IsFoundLink(found) : IsLinkEntry(attributes, false, 0);
}

bool PassesThroughLink(const char* folder, const char* relativePath)
{
    char part[kPathBytes], path[kPathBytes];
    for (int length : ComponentEndLengths(relativePath)) {
        if (length >= kPathBytes)
            return true;
        memcpy(part, relativePath, length);
        part[length] = '\0';
        if (*JoinPath(path, folder, part) == '\0' || IsLinkPath(path))
            return true;
    }
    return false;
}
