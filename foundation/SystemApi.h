// The system calls that the window-free code (strings, the file reader, the script parser) is allowed to use.
// On Windows this is <windows.h> itself. Elsewhere PosixSystem.cpp supplies exactly this subset with the same
// names and the same contracts, so the same code builds natively for fast tests, sanitizers and fuzzing:
//   - wvsprintfA with the conversions of the Windows function and its 1024-byte limit;
//   - plain file calls: CreateFileA, ReadFile, WriteFile, GetFileSize, CloseHandle, DeleteFileA;
//   - for the pack reader: SetFilePointer, SetErrorMode (remembered only: there are no error boxes to suppress) and
//     lstrcmpiA, which here compares ASCII letters without regard to case and every other byte by its value (the
//     Windows function compares by the user's locale; the pack reader only asks whether two names are equal).
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <cstdarg>
#include <cstdint>

typedef int BOOL;
typedef unsigned char BYTE;
typedef uint32_t DWORD;
typedef DWORD* LPDWORD;
typedef void* HANDLE;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef int32_t LONG;
typedef LONG* PLONG;
typedef unsigned int UINT;

#define TRUE 1
#define FALSE 0
#define INVALID_HANDLE_VALUE ((HANDLE)(intptr_t)-1)
#define INVALID_FILE_SIZE ((DWORD)0xFFFFFFFF)
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u
#define CREATE_NEW 1u
#define CREATE_ALWAYS 2u
#define OPEN_EXISTING 3u
#define OPEN_ALWAYS 4u
#define FILE_ATTRIBUTE_NORMAL 0x00000080u
#define FILE_BEGIN 0u
#define FILE_CURRENT 1u
#define FILE_END 2u
#define INVALID_SET_FILE_POINTER ((DWORD)-1)
#define SEM_FAILCRITICALERRORS 0x0001u
#define SEM_NOOPENFILEERRORBOX 0x8000u

int wvsprintfA(LPSTR output, LPCSTR format, va_list args);

// Only the arguments the program passes are honoured: no security attributes, no overlapped I/O, no template.
HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode, void* security, DWORD disposition,
                   DWORD flags, HANDLE templateFile);
BOOL ReadFile(HANDLE file, void* buffer, DWORD count, LPDWORD read, void* overlapped);
BOOL WriteFile(HANDLE file, const void* buffer, DWORD count, LPDWORD written, void* overlapped);
DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh);
BOOL CloseHandle(HANDLE handle);
BOOL DeleteFileA(LPCSTR fileName);
// With distanceHigh, the distance is the 64-bit value *distanceHigh:distance and *distanceHigh receives the new
// position's high half. The result is the new position's low half, INVALID_SET_FILE_POINTER on failure.
DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD moveMethod);
UINT SetErrorMode(UINT mode);  // returns the previous mode
int lstrcmpiA(LPCSTR first, LPCSTR second);
#endif
