#include "foundation/RemoveTree.h"

#include <cstring>

#include "foundation/FileCalls.h"
#include "foundation/LinkEntry.h"
#include "foundation/PathText.h"
#include "foundation/ScopedHandles.h"

namespace {

// "%s\%s" into a kPathBytes buffer; false when it would not fit, so that no cut path is ever used.
bool FormatChildPath(char* out, const char* folder, const char* name)
{
    return *JoinPath(out, folder, name) != '\0';
}

enum ContentsResult {
    kContentsFailed,
    kContentsNotListed, // the folder could not be listed: there is nothing to remove
    kContentsRemoved,
};

// Removes what the folder holds; stops at the first failure. The listing is closed when this returns, before the
// folder itself goes.
ContentsResult RemoveContents(const char* folder)
{
    char pattern[kPathBytes];
    if (!FormatChildPath(pattern, folder, "*.*"))
        return kContentsFailed;
    WIN32_FIND_DATAA found;
    CFindHandle listing(FindFirstEntry(pattern, &found));
    if (!listing.IsValid())
        return kContentsNotListed;
    do {
        bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        // "." and ".." begin with a dot, and so does every other folder this skips.
        if (isFolder && found.cFileName[0] == '.')
            continue;
        // A link stays, and what it leads to is never entered: the folder above it then stays too.
        if (IsFoundLink(found))
            continue;
        char child[kPathBytes];
        if (!FormatChildPath(child, folder, found.cFileName))
            return kContentsFailed;
        // A folder is asked again right before it is entered: it may have been made a link since it was listed.
        if (isFolder && IsLinkPath(child))
            continue;
        if (isFolder ? !RemoveTree(child) : !ZVDeleteFile(child))
            return kContentsFailed;
    } while (FindNextEntry(listing.Get(), &found));
    return kContentsRemoved;
}

} // namespace

bool RemoveTree(const char* path)
{
    if (path == nullptr)
        return false;
    char folder[kPathBytes];
    size_t length = strlen(path);
    if (length >= sizeof(folder))
        return false;
    memcpy(folder, path, length + 1);
    if (RemoveTrailingBackslash(folder))
        length--;
    // An empty path or a bare drive would list the root of a drive: never remove that.
    if (length == 0 || (length == 2 && folder[1] == ':'))
        return false;

    switch (RemoveContents(folder)) {
    case kContentsFailed: return false;
    case kContentsNotListed: return true;
    case kContentsRemoved: break;
    }

    char current[kPathBytes];
    DWORD currentLength = ZVGetCurrentDirectory(sizeof(current), current);
    if (currentLength > 0 && currentLength < sizeof(current) && strcmp(current, folder) == 0)
        ZVSetCurrentDirectory("..");
    return ZVRemoveDirectory(folder) != FALSE;
}
