#include "foundation/FileCalls.h"

#include <cstring>
#include <string>

#include "foundation/PathText.h"
#include "foundation/Trace.h"
#include "foundation/UnicodeText_win.h"

namespace {

// The longest path the W functions give (the "\\?\" form's limit), in UTF-16 units.
const DWORD kWidePathUnits = 32768;

bool IsUsable(const CUnicodeText& name)
{
    if (name.IsValid())
        return true;
    SetLastError(ERROR_INVALID_NAME);
    return false;
}

// Every W function used here exists on the NT family; a system that lacked one fails the call, not the program.
template <typename FUNCTION> bool IsPresent(FUNCTION function)
{
    if (function != nullptr)
        return true;
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return false;
}

DWORD RefuseResult(LPSTR buffer, DWORD bufferBytes)
{
    if (buffer != nullptr && bufferBytes > 0)
        buffer[0] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
}

// The length of text once copied whole into buffer, or 0 when it does not fit.
DWORD CopyResult(const std::string& text, LPSTR buffer, DWORD bufferBytes)
{
    if (buffer == nullptr || text.size() >= bufferBytes)
        return RefuseResult(buffer, bufferBytes);
    memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

// call(buffer, units) is a W function that returns the length written, or 0 on failure; a result that fills the
// whole buffer may have been cut and is refused.
template <typename CALL> DWORD ProgramResult(CALL call, LPSTR buffer, DWORD bufferBytes)
{
    // A path's room first, the longest path's only when that was filled: the calls come often (every relative name).
    wchar_t path[MAX_PATH + 1];
    DWORD length = call(path, MAX_PATH + 1);
    if (length > 0 && length < MAX_PATH)
        return CopyResult(ToProgramText(path, static_cast<int>(length)), buffer, bufferBytes);
    if (length == 0)
        return 0;
    std::wstring wide(kWidePathUnits, L'\0');
    length = call(&wide[0], kWidePathUnits);
    if (length == 0)
        return 0;
    if (length >= kWidePathUnits - 1)
        return RefuseResult(buffer, bufferBytes);
    return CopyResult(ToProgramText(wide.c_str(), static_cast<int>(length)), buffer, bufferBytes);
}

// False when the entry's name does not fit cFileName: it is passed over, not cut.
bool ToFoundData(const WIN32_FIND_DATAW& wide, WIN32_FIND_DATAA* found)
{
    std::string name = ToProgramText(wide.cFileName);
    if (name.size() >= sizeof(found->cFileName)) {
        Trace("失敗：名前が長すぎる項目を飛ばす (%s)\n", name.c_str());
        return false;
    }
    found->dwFileAttributes = wide.dwFileAttributes;
    found->ftCreationTime = wide.ftCreationTime;
    found->ftLastAccessTime = wide.ftLastAccessTime;
    found->ftLastWriteTime = wide.ftLastWriteTime;
    found->nFileSizeHigh = wide.nFileSizeHigh;
    found->nFileSizeLow = wide.nFileSizeLow;
    found->dwReserved0 = wide.dwReserved0;
    found->dwReserved1 = wide.dwReserved1;
    memcpy(found->cFileName, name.c_str(), name.size() + 1);
    std::string shortName = ToProgramText(wide.cAlternateFileName);
    if (shortName.size() >= sizeof(found->cAlternateFileName))
        shortName.clear();
    memcpy(found->cAlternateFileName, shortName.c_str(), shortName.size() + 1);
    return true;
}

// Reads entries until one fits found; false at the end of the listing.
bool NextFittingEntry(HANDLE listing, WIN32_FIND_DATAW* wide, WIN32_FIND_DATAA* found)
{
    UNICODE_CALL(kernel32, FindNextFileW);
    if (!IsPresent(FindNextFileW_))
        return false;
    do {
        // The caller's tag field goes along: Wine leaves it as it was for an entry that is no reparse point.
        wide->dwReserved0 = found->dwReserved0;
        if (!FindNextFileW_(listing, wide))
            return false;
    } while (!ToFoundData(*wide, found));
    return true;
}

} // namespace

HANDLE ZVCreateFile(LPCSTR fileName, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security, DWORD disposition,
    DWORD flags, HANDLE templateFile)
{
    if (!UsesUnicodeCalls())
        return CreateFileA(fileName, access, shareMode, security, disposition, flags, templateFile);
    UNICODE_CALL(kernel32, CreateFileW);
    CUnicodeText name(fileName);
    if (!IsUsable(name) || !IsPresent(CreateFileW_))
        return INVALID_HANDLE_VALUE;
    return CreateFileW_(name.Get(), access, shareMode, security, disposition, flags, templateFile);
}

BOOL ZVDeleteFile(LPCSTR fileName)
{
    if (!UsesUnicodeCalls())
        return DeleteFileA(fileName);
    UNICODE_CALL(kernel32, DeleteFileW);
    CUnicodeText name(fileName);
    return IsUsable(name) && IsPresent(DeleteFileW_) && DeleteFileW_(name.Get());
}

DWORD ZVGetFileAttributes(LPCSTR fileName)
{
    if (!UsesUnicodeCalls())
        return GetFileAttributesA(fileName);
    UNICODE_CALL(kernel32, GetFileAttributesW);
    CUnicodeText name(fileName);
    if (!IsUsable(name) || !IsPresent(GetFileAttributesW_))
        return INVALID_FILE_ATTRIBUTES;
    return GetFileAttributesW_(name.Get());
}

BOOL ZVSetFileAttributes(LPCSTR fileName, DWORD attributes)
{
    if (!UsesUnicodeCalls())
        return SetFileAttributesA(fileName, attributes);
    UNICODE_CALL(kernel32, SetFileAttributesW);
    CUnicodeText name(fileName);
    return IsUsable(name) && IsPresent(SetFileAttributesW_) && SetFileAttributesW_(name.Get(), attributes);
}

HANDLE ZVFindFirstFile(LPCSTR pattern, WIN32_FIND_DATAA* found)
{
    if (!UsesUnicodeCalls())
        return FindFirstFileA(pattern, found);
    UNICODE_CALL(kernel32, FindFirstFileW);
    CUnicodeText name(pattern);
    if (!IsUsable(name) || !IsPresent(FindFirstFileW_))
        return INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW wide;
    wide.dwReserved0 = found->dwReserved0;
    HANDLE listing = FindFirstFileW_(name.Get(), &wide);
    if (listing == INVALID_HANDLE_VALUE || ToFoundData(wide, found))
        return listing;
    if (NextFittingEntry(listing, &wide, found))
        return listing;
    FindClose(listing);
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return INVALID_HANDLE_VALUE;
}

BOOL ZVFindNextFile(HANDLE listing, WIN32_FIND_DATAA* found)
{
    if (!UsesUnicodeCalls())
        return FindNextFileA(listing, found);
    WIN32_FIND_DATAW wide;
    return NextFittingEntry(listing, &wide, found);
}

BOOL ZVCreateDirectory(LPCSTR path, LPSECURITY_ATTRIBUTES security)
{
    if (!UsesUnicodeCalls())
        return CreateDirectoryA(path, security);
    UNICODE_CALL(kernel32, CreateDirectoryW);
    CUnicodeText name(path);
    return IsUsable(name) && IsPresent(CreateDirectoryW_) && CreateDirectoryW_(name.Get(), security);
}

BOOL ZVRemoveDirectory(LPCSTR path)
{
    if (!UsesUnicodeCalls())
        return RemoveDirectoryA(path);
    UNICODE_CALL(kernel32, RemoveDirectoryW);
    CUnicodeText name(path);
    return IsUsable(name) && IsPresent(RemoveDirectoryW_) && RemoveDirectoryW_(name.Get());
}

BOOL ZVSetCurrentDirectory(LPCSTR path)
{
    if (!UsesUnicodeCalls())
        return SetCurrentDirectoryA(path);
    UNICODE_CALL(kernel32, SetCurrentDirectoryW);
    CUnicodeText name(path);
    return IsUsable(name) && IsPresent(SetCurrentDirectoryW_) && SetCurrentDirectoryW_(name.Get());
}

DWORD ZVGetCurrentDirectory(DWORD bufferBytes, LPSTR buffer)
{
    if (!UsesUnicodeCalls())
        return GetCurrentDirectoryA(bufferBytes, buffer);
    UNICODE_CALL(kernel32, GetCurrentDirectoryW);
    if (!IsPresent(GetCurrentDirectoryW_))
        return 0;
    return ProgramResult(
        [](wchar_t* wide, DWORD units) { return GetCurrentDirectoryW_(units, wide); }, buffer, bufferBytes);
}

DWORD ZVGetFullPathName(LPCSTR path, DWORD bufferBytes, LPSTR buffer, LPSTR* filePart)
{
    if (!UsesUnicodeCalls())
        return GetFullPathNameA(path, bufferBytes, buffer, filePart);
    UNICODE_CALL(kernel32, GetFullPathNameW);
    CUnicodeText name(path);
    if (!IsUsable(name) || !IsPresent(GetFullPathNameW_))
        return 0;
    DWORD length = ProgramResult(
        [&name](wchar_t* wide, DWORD units) { return GetFullPathNameW_(name.Get(), units, wide, nullptr); }, buffer,
        bufferBytes);
    if (filePart != nullptr) {
        // As the A function: the last component, or null for a path that ends with a backslash.
        const char* namePart = length > 0 ? FileNamePart(buffer) : nullptr;
        *filePart = namePart != nullptr && *namePart != '\0' ? buffer + (namePart - buffer) : nullptr;
    }
    return length;
}

BOOL ZVCopyFile(LPCSTR existing, LPCSTR copy, BOOL failIfExists)
{
    if (!UsesUnicodeCalls())
        return CopyFileA(existing, copy, failIfExists);
    UNICODE_CALL(kernel32, CopyFileW);
    CUnicodeText from(existing), to(copy);
    return IsUsable(from) && IsUsable(to) && IsPresent(CopyFileW_) && CopyFileW_(from.Get(), to.Get(), failIfExists);
}

BOOL ZVMoveFile(LPCSTR existing, LPCSTR moved)
{
    if (!UsesUnicodeCalls())
        return MoveFileA(existing, moved);
    UNICODE_CALL(kernel32, MoveFileW);
    CUnicodeText from(existing), to(moved);
    return IsUsable(from) && IsUsable(to) && IsPresent(MoveFileW_) && MoveFileW_(from.Get(), to.Get());
}

BOOL ZVMoveFileEx(LPCSTR existing, LPCSTR moved, DWORD flags)
{
    if (!UsesUnicodeCalls())
        return MoveFileExA(existing, moved, flags);
    UNICODE_CALL(kernel32, MoveFileExW);
    CUnicodeText from(existing), to(moved);
    return IsUsable(from) && IsUsable(to) && IsPresent(MoveFileExW_) && MoveFileExW_(from.Get(), to.Get(), flags);
}

DWORD ZVGetModuleFileName(HMODULE module, LPSTR buffer, DWORD bufferBytes)
{
    if (!UsesUnicodeCalls())
        return GetModuleFileNameA(module, buffer, bufferBytes);
    UNICODE_CALL(kernel32, GetModuleFileNameW);
    if (!IsPresent(GetModuleFileNameW_))
        return 0;
    return ProgramResult(
        [module](wchar_t* wide, DWORD units) { return GetModuleFileNameW_(module, wide, units); }, buffer, bufferBytes);
}

UINT ZVGetWindowsDirectory(LPSTR buffer, UINT bufferBytes)
{
    if (!UsesUnicodeCalls())
        return GetWindowsDirectoryA(buffer, bufferBytes);
    UNICODE_CALL(kernel32, GetWindowsDirectoryW);
    if (!IsPresent(GetWindowsDirectoryW_))
        return 0;
    return ProgramResult(
        [](wchar_t* wide, DWORD units) { return static_cast<DWORD>(GetWindowsDirectoryW_(wide, units)); }, buffer,
        bufferBytes);
}

UINT ZVGetSystemDirectory(LPSTR buffer, UINT bufferBytes)
{
    if (!UsesUnicodeCalls())
        return GetSystemDirectoryA(buffer, bufferBytes);
    UNICODE_CALL(kernel32, GetSystemDirectoryW);
    if (!IsPresent(GetSystemDirectoryW_))
        return 0;
    return ProgramResult(
        [](wchar_t* wide, DWORD units) { return static_cast<DWORD>(GetSystemDirectoryW_(wide, units)); }, buffer,
        bufferBytes);
}

DWORD ZVGetTempPath(DWORD bufferBytes, LPSTR buffer)
{
    if (!UsesUnicodeCalls())
        return GetTempPathA(bufferBytes, buffer);
    UNICODE_CALL(kernel32, GetTempPathW);
    if (!IsPresent(GetTempPathW_))
        return 0;
    return ProgramResult([](wchar_t* wide, DWORD units) { return GetTempPathW_(units, wide); }, buffer, bufferBytes);
}

DWORD ZVGetShortPathName(LPCSTR path, LPSTR buffer, DWORD bufferBytes)
{
    if (!UsesUnicodeCalls())
        return GetShortPathNameA(path, buffer, bufferBytes);
    UNICODE_CALL(kernel32, GetShortPathNameW);
    CUnicodeText name(path);
    if (!IsUsable(name) || !IsPresent(GetShortPathNameW_))
        return 0;
    return ProgramResult([&name](wchar_t* wide, DWORD units) { return GetShortPathNameW_(name.Get(), wide, units); },
        buffer, bufferBytes);
}

UINT ZVGetDriveType(LPCSTR root)
{
    if (!UsesUnicodeCalls())
        return GetDriveTypeA(root);
    UNICODE_CALL(kernel32, GetDriveTypeW);
    CUnicodeText name(root);
    if (!IsUsable(name) || !IsPresent(GetDriveTypeW_))
        return DRIVE_UNKNOWN;
    return GetDriveTypeW_(name.Get());
}

BOOL ZVGetDiskFreeSpace(
    LPCSTR root, LPDWORD sectorsPerCluster, LPDWORD bytesPerSector, LPDWORD freeClusters, LPDWORD totalClusters)
{
    if (!UsesUnicodeCalls())
        return GetDiskFreeSpaceA(root, sectorsPerCluster, bytesPerSector, freeClusters, totalClusters);
    UNICODE_CALL(kernel32, GetDiskFreeSpaceW);
    CUnicodeText name(root);
    return IsUsable(name) && IsPresent(GetDiskFreeSpaceW_)
        && GetDiskFreeSpaceW_(name.Get(), sectorsPerCluster, bytesPerSector, freeClusters, totalClusters);
}

BOOL ZVGetDiskFreeSpaceEx(
    LPCSTR root, PULARGE_INTEGER callerFree, PULARGE_INTEGER totalBytes, PULARGE_INTEGER totalFree)
{
    if (!UsesUnicodeCalls()) {
        // Found by name on this side too: the first Windows 95 release lacks it.
        static const auto GetDiskFreeSpaceExA_ = reinterpret_cast<decltype(&::GetDiskFreeSpaceExA)>(
            reinterpret_cast<void*>(UnicodeEntry("kernel32.dll", "GetDiskFreeSpaceExA")));
        return IsPresent(GetDiskFreeSpaceExA_) && GetDiskFreeSpaceExA_(root, callerFree, totalBytes, totalFree);
    }
    UNICODE_CALL(kernel32, GetDiskFreeSpaceExW);
    CUnicodeText name(root);
    return IsUsable(name) && IsPresent(GetDiskFreeSpaceExW_)
        && GetDiskFreeSpaceExW_(name.Get(), callerFree, totalBytes, totalFree);
}

HMODULE ZVLoadLibraryEx(LPCSTR fileName, HANDLE reserved, DWORD flags)
{
    if (!UsesUnicodeCalls())
        return LoadLibraryExA(fileName, reserved, flags);
    UNICODE_CALL(kernel32, LoadLibraryExW);
    CUnicodeText name(fileName);
    if (!IsUsable(name) || !IsPresent(LoadLibraryExW_))
        return nullptr;
    return LoadLibraryExW_(name.Get(), reserved, flags);
}
