#include "foundation/RegistryCalls_win.h"

#include <cstring>
#include <string>
#include <vector>

#include "foundation/UnicodeText_win.h"

namespace {

const DWORD kKeyNameUnits = 256; // the registry's limit for a key name, terminator included

bool IsStringType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// The program's text of the string data in bytes bytes of UTF-16, each piece and the terminator included; a value
// stored without its terminator gets one, as the A functions give it.
std::string ToProgramData(const std::vector<BYTE>& wide, DWORD bytes)
{
    std::wstring units(reinterpret_cast<const wchar_t*>(wide.data()), bytes / sizeof(wchar_t));
    if (units.empty() || units.back() != L'\0')
        units.push_back(L'\0');
    return ToProgramText(units.c_str(), static_cast<int>(units.size()));
}

// The UTF-16 form of program string data (pieces split at zero bytes, as REG_MULTI_SZ holds them), terminated.
// False for a piece that holds bytes meaning no character.
bool ToWideData(const BYTE* data, DWORD bytes, std::wstring* wide)
{
    const char* text = reinterpret_cast<const char*>(data);
    DWORD start = 0;
    while (start < bytes) {
        const void* end = memchr(text + start, '\0', bytes - start);
        DWORD pieceEnd = end != nullptr ? static_cast<DWORD>(static_cast<const char*>(end) - text) : bytes;
        CUnicodeText piece(std::string(text + start, pieceEnd - start).c_str());
        if (!piece.IsValid())
            return false;
        wide->append(piece.Get());
        wide->push_back(L'\0');
        start = pieceEnd + 1;
    }
    if (wide->empty())
        wide->push_back(L'\0');
    return true;
}

// Copies text (bytes bytes) to data as the A functions do: a null data asks the size, a short one fails with the
// size needed.
LONG GiveData(const void* text, DWORD bytes, LPBYTE data, LPDWORD dataBytes)
{
    if (dataBytes == nullptr)
        return data == nullptr ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
    DWORD capacity = *dataBytes;
    *dataBytes = bytes;
    if (data == nullptr)
        return ERROR_SUCCESS;
    if (capacity < bytes)
        return ERROR_MORE_DATA;
    memcpy(data, text, bytes);
    return ERROR_SUCCESS;
}

// Copies a name to name (*nameBytes bytes, terminator included); *nameBytes becomes its length.
LONG GiveName(const std::string& text, LPSTR name, LPDWORD nameBytes)
{
    if (name == nullptr || nameBytes == nullptr)
        return ERROR_INVALID_PARAMETER;
    if (text.size() >= *nameBytes)
        return ERROR_MORE_DATA;
    memcpy(name, text.c_str(), text.size() + 1);
    *nameBytes = static_cast<DWORD>(text.size());
    return ERROR_SUCCESS;
}

// RegQueryValueExW of the value named wideName, with string data given as program text.
LONG QueryWideValue(HKEY key, const wchar_t* wideName, LPDWORD type, LPBYTE data, LPDWORD dataBytes)
{
    UNICODE_CALL(advapi32, RegQueryValueExW);
    if (RegQueryValueExW_ == nullptr)
        return ERROR_CALL_NOT_IMPLEMENTED;
    DWORD valueType = REG_NONE, wideBytes = 0;
    LONG result = RegQueryValueExW_(key, wideName, nullptr, &valueType, nullptr, &wideBytes);
    if (result != ERROR_SUCCESS)
        return result;
    if (type != nullptr)
        *type = valueType;
    if (!IsStringType(valueType))
        return RegQueryValueExW_(key, wideName, nullptr, nullptr, data, dataBytes);
    std::vector<BYTE> wide;
    // The value may grow between the two calls: asked again at its new size.
    do {
        wide.resize(wideBytes + sizeof(wchar_t));
        result = RegQueryValueExW_(key, wideName, nullptr, &valueType, wide.data(), &wideBytes);
    } while (result == ERROR_MORE_DATA);
    if (result != ERROR_SUCCESS)
        return result;
    if (type != nullptr)
        *type = valueType;
    std::string text = ToProgramData(wide, wideBytes);
    return GiveData(text.data(), static_cast<DWORD>(text.size()), data, dataBytes);
}

} // namespace

LONG ZVRegOpenKeyEx(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY opened)
{
    if (!UsesUnicodeCalls())
        return RegOpenKeyExA(key, subKey, options, access, opened);
    UNICODE_CALL(advapi32, RegOpenKeyExW);
    CUnicodeText name(subKey);
    if (!name.IsValid())
        return ERROR_INVALID_NAME;
    if (RegOpenKeyExW_ == nullptr)
        return ERROR_CALL_NOT_IMPLEMENTED;
    return RegOpenKeyExW_(key, name.Get(), options, access, opened);
}

LONG ZVRegCreateKeyEx(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR, DWORD options, REGSAM access,
    LPSECURITY_ATTRIBUTES security, PHKEY created, LPDWORD disposition)
{
    if (!UsesUnicodeCalls())
        return RegCreateKeyExA(key, subKey, reserved, nullptr, options, access, security, created, disposition);
    UNICODE_CALL(advapi32, RegCreateKeyExW);
    CUnicodeText name(subKey);
    if (!name.IsValid())
        return ERROR_INVALID_NAME;
    if (RegCreateKeyExW_ == nullptr)
        return ERROR_CALL_NOT_IMPLEMENTED;
    return RegCreateKeyExW_(key, name.Get(), reserved, nullptr, options, access, security, created, disposition);
}

LONG ZVRegQueryValueEx(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataBytes)
{
    if (!UsesUnicodeCalls())
        return RegQueryValueExA(key, name, reserved, type, data, dataBytes);
    CUnicodeText valueName(name);
    if (!valueName.IsValid())
        return ERROR_INVALID_NAME;
    return QueryWideValue(key, valueName.Get(), type, data, dataBytes);
}

LONG ZVRegSetValueEx(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD dataBytes)
{
    if (!UsesUnicodeCalls())
        return RegSetValueExA(key, name, reserved, type, data, dataBytes);
    UNICODE_CALL(advapi32, RegSetValueExW);
    CUnicodeText valueName(name);
    if (!valueName.IsValid())
        return ERROR_INVALID_NAME;
    if (RegSetValueExW_ == nullptr)
        return ERROR_CALL_NOT_IMPLEMENTED;
    if (!IsStringType(type) || data == nullptr)
        return RegSetValueExW_(key, valueName.Get(), reserved, type, data, dataBytes);
    std::wstring wide;
    if (!ToWideData(data, dataBytes, &wide))
        return ERROR_INVALID_NAME;
    return RegSetValueExW_(key, valueName.Get(), reserved, type, reinterpret_cast<const BYTE*>(wide.c_str()),
        static_cast<DWORD>(wide.size() * sizeof(wchar_t)));
}

LONG ZVRegDeleteKey(HKEY key, LPCSTR subKey)
{
    if (!UsesUnicodeCalls())
        return RegDeleteKeyA(key, subKey);
    UNICODE_CALL(advapi32, RegDeleteKeyW);
    CUnicodeText name(subKey);
    if (!name.IsValid())
        return ERROR_INVALID_NAME;
    return RegDeleteKeyW_ != nullptr ? RegDeleteKeyW_(key, name.Get()) : ERROR_CALL_NOT_IMPLEMENTED;
}

LONG ZVRegEnumKeyEx(HKEY key, DWORD index, LPSTR name, LPDWORD nameBytes, LPDWORD reserved, LPSTR keyClass,
    LPDWORD classBytes, PFILETIME lastWrite)
{
    if (!UsesUnicodeCalls())
        return RegEnumKeyExA(key, index, name, nameBytes, reserved, keyClass, classBytes, lastWrite);
    UNICODE_CALL(advapi32, RegEnumKeyExW);
    if (RegEnumKeyExW_ == nullptr)
        return ERROR_CALL_NOT_IMPLEMENTED;
    wchar_t wideName[kKeyNameUnits];
    DWORD units = kKeyNameUnits;
    LONG result = RegEnumKeyExW_(key, index, wideName, &units, reserved, nullptr, nullptr, lastWrite);
    if (result != ERROR_SUCCESS)
        return result;
    return GiveName(ToProgramText(wideName, static_cast<int>(units)), name, nameBytes);
}

LONG ZVRegQueryInfoKey(HKEY key, LPSTR keyClass, LPDWORD classBytes, LPDWORD reserved, LPDWORD subKeys,
    LPDWORD longestSubKey, LPDWORD longestClass, LPDWORD values, LPDWORD longestValueName, LPDWORD longestValueData,
    LPDWORD securityBytes, PFILETIME lastWrite)
{
    if (!UsesUnicodeCalls())
        return RegQueryInfoKeyA(key, keyClass, classBytes, reserved, subKeys, longestSubKey, longestClass, values,
            longestValueName, longestValueData, securityBytes, lastWrite);
    UNICODE_CALL(advapi32, RegQueryInfoKeyW);
    if (RegQueryInfoKeyW_ == nullptr)
        return ERROR_CALL_NOT_IMPLEMENTED;
    LONG result = RegQueryInfoKeyW_(key, nullptr, nullptr, reserved, subKeys, longestSubKey, longestClass, values,
        longestValueName, longestValueData, securityBytes, lastWrite);
    if (result != ERROR_SUCCESS)
        return result;
    for (LPDWORD units : {longestSubKey, longestClass, longestValueName}) {
        if (units != nullptr)
            *units *= kForeignEscapeBytes;
    }
    // Two bytes of UTF-16 data become at most one escape.
    if (longestValueData != nullptr)
        *longestValueData *= kForeignEscapeBytes / sizeof(wchar_t);
    return ERROR_SUCCESS;
}
