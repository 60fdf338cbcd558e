#include "foundation/SystemFallbacks.h"

#include "foundation/PathText.h"

uint64_t FreeBytesFromClusters(DWORD sectorsPerCluster, DWORD bytesPerSector, DWORD freeClusters)
{
    return static_cast<uint64_t>(sectorsPerCluster) * bytesPerSector * freeClusters;
}

int64_t FileSizeFromWords(DWORD low, DWORD high)
{
    return static_cast<int64_t>((static_cast<uint64_t>(high) << 32) | low);
}

int FolderPrefixLengths(const char* path, int* lengths, int maxCount)
{
    // Where the first folder that may be missing begins: after a drive ("C:", "C:\"), after a share
    // ("\\server\share\"), after a leading backslash; otherwise at the start.
    int start = 0;
    if (path[0] != '\0' && path[1] == ':') {
        start = path[2] == '\\' ? 3 : 2;
    } else if (path[0] == '\\' && path[1] == '\\') {
        int separators = 0;
        for (start = 2; path[start] != '\0' && separators < 2; start += CharBytes(path + start)) {
            if (path[start] == '\\')
                separators++;
        }
        if (separators < 2) // "\\server\share" itself: nothing to create
            return 0;
    } else if (path[0] == '\\') {
        start = 1;
    }

    int count = 0;
    int i = start;
    while (count < maxCount) {
        while (path[i] == '\\') // empty components: "a\\b"
            i++;
        if (path[i] == '\0')
            break;
        while (path[i] != '\0' && path[i] != '\\')
            i += CharBytes(path + i);
        lengths[count++] = i;
    }
    return count;
}
