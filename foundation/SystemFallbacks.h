// The system calls that not every Windows the installer runs on exports: each is looked up at run time
// (GetProcAddress) and replaced, where the system lacks it, by older calls that do the same job. Nothing here is
// imported, so ZVSetup.exe loads on the 95 family and on Windows 2000.
#pragma once

#include <cstdint>

#include "foundation/SystemApi.h"

// The decisions of the fallbacks, from data alone (built on both sides).
// The free bytes that GetDiskFreeSpaceA's figures give.
uint64_t FreeBytesFromClusters(DWORD sectorsPerCluster, DWORD bytesPerSector, DWORD freeClusters);
// The file size that GetFileSize's low and high words give.
int64_t FileSizeFromWords(DWORD low, DWORD high);
// The lengths of the prefixes of path (a folder path; a trailing backslash is allowed) that name folders which may
// have to be created, from the top down: each ends before a real backslash, or at the end of the path. A drive
// ("C:", "C:\") and a network share ("\\server\share") are never among them. Returns the count written to lengths
// (at most maxCount).
int FolderPrefixLengths(const char* path, int* lengths, int maxCount);

#ifdef _WIN32
// The size of an open file: GetFileSizeEx where the system has it, else GetFileSize with its high word.
bool GetFileSize64(HANDLE file, int64_t* size);
// The bytes free to the caller on the drive of root ("X:\"): GetDiskFreeSpaceExA where the system has it, else
// GetDiskFreeSpaceA, whose figures stop near 2 GB on the first Windows 95 release. An empty root (a folder on a
// network share has no drive letter) gives false: there is no drive to ask.
bool GetFreeDiskBytes(const char* root, uint64_t* freeBytes);
// Creates every missing folder of path from the top down with CreateDirectoryA, as imagehlp's
// MakeSureDirectoryPathExists does: path names a folder and may end with a backslash. True when the whole path
// exists as a folder afterwards.
bool MakeSureFolderPathExists(const char* path);

// The fallbacks on their own, for systems without the newer call (and for the tests, which run where it exists).
bool GetFileSize64FromWords(HANDLE file, int64_t* size);
bool GetFreeDiskBytesFromClusters(const char* root, uint64_t* freeBytes);
#endif
