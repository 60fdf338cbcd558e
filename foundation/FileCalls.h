// The file and folder calls in the program's text. Each ZV function is the system's A function of the same name,
// with its contract, taking and giving Shift-JIS program text: the 95 family calls the A function unchanged, the NT
// family converts (foundation/UnicodeText_win.h) and calls the W function, so that a name means the same on every
// system whatever its code page. On the NT family a name that cannot be converted fails with ERROR_INVALID_NAME, and
// a result that does not fit the caller's buffer whole fails (0, last error ERROR_INSUFFICIENT_BUFFER, the buffer
// "") rather than come back cut. CreateFile and DeleteFile also exist natively, as PosixSystem's A functions.
#pragma once

#include "foundation/SystemApi.h"

#ifdef _WIN32
HANDLE ZVCreateFile(LPCSTR fileName, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security, DWORD disposition,
    DWORD flags, HANDLE templateFile);
BOOL ZVDeleteFile(LPCSTR fileName);

DWORD ZVGetFileAttributes(LPCSTR fileName);
BOOL ZVSetFileAttributes(LPCSTR fileName, DWORD attributes);
// The found name is the program's text of the system's name; an entry whose name does not fit cFileName is passed
// over (a listing that holds nothing else fails with ERROR_FILENAME_EXCED_RANGE), never handed on cut.
HANDLE ZVFindFirstFile(LPCSTR pattern, WIN32_FIND_DATAA* found);
BOOL ZVFindNextFile(HANDLE listing, WIN32_FIND_DATAA* found);
BOOL ZVCreateDirectory(LPCSTR path, LPSECURITY_ATTRIBUTES security);
BOOL ZVRemoveDirectory(LPCSTR path);
BOOL ZVSetCurrentDirectory(LPCSTR path);
DWORD ZVGetCurrentDirectory(DWORD bufferBytes, LPSTR buffer);
DWORD ZVGetFullPathName(LPCSTR path, DWORD bufferBytes, LPSTR buffer, LPSTR* filePart);
BOOL ZVCopyFile(LPCSTR existing, LPCSTR copy, BOOL failIfExists);
BOOL ZVMoveFile(LPCSTR existing, LPCSTR moved);
// A null moved with MOVEFILE_DELAY_UNTIL_REBOOT deletes existing at the next start (NT family only, as the system).
BOOL ZVMoveFileEx(LPCSTR existing, LPCSTR moved, DWORD flags);
DWORD ZVGetModuleFileName(HMODULE module, LPSTR buffer, DWORD bufferBytes);
UINT ZVGetWindowsDirectory(LPSTR buffer, UINT bufferBytes);
UINT ZVGetSystemDirectory(LPSTR buffer, UINT bufferBytes);
DWORD ZVGetTempPath(DWORD bufferBytes, LPSTR buffer);
DWORD ZVGetShortPathName(LPCSTR path, LPSTR buffer, DWORD bufferBytes);
UINT ZVGetDriveType(LPCSTR root);
BOOL ZVGetDiskFreeSpace(
    LPCSTR root, LPDWORD sectorsPerCluster, LPDWORD bytesPerSector, LPDWORD freeClusters, LPDWORD totalClusters);
// Fails with ERROR_CALL_NOT_IMPLEMENTED where the system lacks the function (the first Windows 95 release).
BOOL ZVGetDiskFreeSpaceEx(
    LPCSTR root, PULARGE_INTEGER callerFree, PULARGE_INTEGER totalBytes, PULARGE_INTEGER totalFree);
HMODULE ZVLoadLibraryEx(LPCSTR fileName, HANDLE reserved, DWORD flags);
#else
inline HANDLE ZVCreateFile(
    LPCSTR fileName, DWORD access, DWORD shareMode, void* security, DWORD disposition, DWORD flags, HANDLE templateFile)
{
    return CreateFileA(fileName, access, shareMode, security, disposition, flags, templateFile);
}
inline BOOL ZVDeleteFile(LPCSTR fileName)
{
    return DeleteFileA(fileName);
}
#endif
