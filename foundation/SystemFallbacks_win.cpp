#include "foundation/SystemFallbacks.h"

#include <cstring>

#include "foundation/FileCalls.h"
#include "foundation/PathText.h"

namespace {

typedef BOOL(WINAPI* GET_FILE_SIZE_EX)(HANDLE file, PLARGE_INTEGER size);

// A function of kernel32 that this system may lack; null when it does.
template <typename FUNCTION> FUNCTION FindKernelFunction(const char* name)
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (kernel == nullptr)
        return nullptr;
    return reinterpret_cast<FUNCTION>(reinterpret_cast<void*>(GetProcAddress(kernel, name)));
}

bool IsFolder(const char* path)
{
    DWORD attributes = ZVGetFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

bool GetFileSize64(HANDLE file, int64_t* size)
{
    static const GET_FILE_SIZE_EX getFileSizeEx = FindKernelFunction<GET_FILE_SIZE_EX>("GetFileSizeEx");
    if (getFileSizeEx == nullptr)
        return GetFileSize64FromWords(file, size);
    LARGE_INTEGER value;
    if (!getFileSizeEx(file, &value))
        return false;
    *size = value.QuadPart;
    return true;
}

bool GetFileSize64FromWords(HANDLE file, int64_t* size)
{
    DWORD high = 0;
    SetLastError(NO_ERROR);
    DWORD low = GetFileSize(file, &high);
    // INVALID_FILE_SIZE is also a valid low word: only the last error tells a failure.
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return false;
    *size = FileSizeFromWords(low, high);
    return true;
}

bool GetFreeDiskBytes(const char* root, uint64_t* freeBytes)
{
    // No drive to ask (a network share): not the current drive, which is the disc.
    if (root == nullptr || root[0] == '\0')
        return false;
    ULARGE_INTEGER callerFree, total, totalFree;
    if (!ZVGetDiskFreeSpaceEx(root, &callerFree, &total, &totalFree))
        return GetLastError() == ERROR_CALL_NOT_IMPLEMENTED && GetFreeDiskBytesFromClusters(root, freeBytes);
    *freeBytes = callerFree.QuadPart;
    return true;
}

bool GetFreeDiskBytesFromClusters(const char* root, uint64_t* freeBytes)
{
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (root == nullptr || root[0] == '\0'
        || !ZVGetDiskFreeSpace(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
        return false;
    *freeBytes = FreeBytesFromClusters(sectorsPerCluster, bytesPerSector, freeClusters);
    return true;
}

bool MakeSureFolderPathExists(const char* path)
{
    size_t length = strlen(path);
    if (length == 0 || length >= static_cast<size_t>(kPathBytes))
        return false;
    const int kMaxDepth = kPathBytes / 2; // every component takes at least a character and a backslash
    int prefixes[kMaxDepth];
    int count = FolderPrefixLengths(path, prefixes, kMaxDepth);
    char folder[kPathBytes];
    for (int i = 0; i < count; i++) {
        memcpy(folder, path, prefixes[i]);
        folder[prefixes[i]] = '\0';
        if (IsFolder(folder))
            continue;
        if (!ZVCreateDirectory(folder, nullptr) && !IsFolder(folder))
            return false;
    }
    // A bare drive or share: it exists when its root can be asked.
    if (count == 0)
        return ZVGetFileAttributes(path) != INVALID_FILE_ATTRIBUTES;
    memcpy(folder, path, length + 1);
    RemoveTrailingBackslash(folder);
    return IsFolder(folder);
}
