#include "foundation/LinkEntry.h"

#include "foundation/PathText.h"

namespace {

bool IsSeparator(char byte)
{
    return byte == '\\' || byte == '/';
}

} // namespace

bool IsLinkEntry(DWORD attributes, bool tagKnown, DWORD tag)
{
    const DWORD noEntry = 0xFFFFFFFF; // INVALID_FILE_ATTRIBUTES, whose bits include the reparse point's
    if (attributes == noEntry || (attributes & kReparsePointAttribute) == 0)
        return false;
    return !tagKnown || tag == 0 || tag == kMountPointTag || tag == kSymbolicLinkTag;
}

std::vector<int> ComponentEndLengths(const char* relativePath)
{
    std::vector<int> lengths;
    if (relativePath == nullptr)
        return lengths;
    int i = 0;
    for (;;) {
        while (IsSeparator(relativePath[i]))
            i++;
        if (relativePath[i] == '\0')
            break;
        while (relativePath[i] != '\0' && !IsSeparator(relativePath[i]))
            i += CharBytes(relativePath + i);
        lengths.push_back(i);
    }
    return lengths;
}
