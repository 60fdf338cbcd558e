// The registry calls in the program's text (Windows only). Each ZV function is the system's A function of the same
// name, with its contract, taking and giving Shift-JIS program text: the 95 family calls the A function unchanged,
// the NT family converts key and value names and string data (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) and calls the
// W function, so that the registry holds the real characters. On the NT family a name or string that cannot be
// converted fails with ERROR_INVALID_NAME; a name or string that does not fit the caller's buffer fails with
// ERROR_MORE_DATA (and the size needed, as the A functions give it), never cut.
#pragma once

#include "foundation/SystemApi.h"

LONG ZVRegOpenKeyEx(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY opened);
// The class is not passed on (the program gives none).
LONG ZVRegCreateKeyEx(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options, REGSAM access,
    LPSECURITY_ATTRIBUTES security, PHKEY created, LPDWORD disposition);
LONG ZVRegQueryValueEx(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataBytes);
LONG ZVRegSetValueEx(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD dataBytes);
LONG ZVRegDeleteKey(HKEY key, LPCSTR subKey);
// *nameBytes counts bytes in and out, as the A function. The class is not read (keyClass must be null).
LONG ZVRegEnumKeyEx(HKEY key, DWORD index, LPSTR name, LPDWORD nameBytes, LPDWORD reserved, LPSTR keyClass,
    LPDWORD classBytes, PFILETIME lastWrite);
// The longest name and data lengths are given as bytes of program text that surely hold them: a UTF-16 unit can
// take up to an escape's six bytes. The class is not read (keyClass must be null).
LONG ZVRegQueryInfoKey(HKEY key, LPSTR keyClass, LPDWORD classBytes, LPDWORD reserved, LPDWORD subKeys,
    LPDWORD longestSubKey, LPDWORD longestClass, LPDWORD values, LPDWORD longestValueName, LPDWORD longestValueData,
    LPDWORD securityBytes, PFILETIME lastWrite);
