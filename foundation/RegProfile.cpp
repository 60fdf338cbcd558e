#include "foundation/RegProfile.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "foundation/RegistryCalls_win.h"

namespace {

const int kKeyPathBytes = 260;

} // namespace

CRegProfile::CRegProfile()
    : mainKey(nullptr)
    , currentKey(nullptr)
    , rootKey(HKEY_CURRENT_USER)
    , readOnly(false)
{
    lstrcpynA(basePath, "Software", sizeof(basePath));
}

CRegProfile::~CRegProfile() { }

bool CRegProfile::FormatKeyPath(char* path, const char* subPath, bool baseAloneForNull)
{
    if (subPath == nullptr && baseAloneForNull) {
        lstrcpynA(path, basePath, kKeyPathBytes);
        return true;
    }
    if (subPath == nullptr)
        subPath = "";
    // "%s\%s" would run past the 260-byte buffer for a long sub-path: such a key is refused instead.
    size_t baseLength = strlen(basePath);
    size_t subLength = strlen(subPath);
    if (baseLength + 1 + subLength >= static_cast<size_t>(kKeyPathBytes))
        return false;
    wsprintfA(path, "%s\\%s", basePath, subPath);
    return true;
}

bool CRegProfile::Create(const char* subPath)
{
    char path[kKeyPathBytes];
    if (!FormatKeyPath(path, subPath, true))
        return false;
    HKEY key = nullptr;
    if (ZVRegCreateKeyEx(rootKey, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return false;
    mainKey = currentKey = key;
    readOnly = false;
    return true;
}

bool CRegProfile::Open(const char* subPath)
{
    char path[kKeyPathBytes];
    if (!FormatKeyPath(path, subPath, true))
        return false;
    HKEY key = nullptr;
    if (ZVRegOpenKeyEx(rootKey, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return false;
    mainKey = currentKey = key;
    return true;
}

bool CRegProfile::OpenReadOnly(const char* subPath)
{
    char path[kKeyPathBytes];
    if (!FormatKeyPath(path, subPath, false))
        return false;
    HKEY key = nullptr;
    if (ZVRegOpenKeyEx(rootKey, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    mainKey = currentKey = key;
    readOnly = true;
    return true;
}

void CRegProfile::Close()
{
    if (currentKey != nullptr && currentKey != mainKey)
        RegCloseKey(currentKey);
    if (mainKey != nullptr)
        RegCloseKey(mainKey);
    mainKey = currentKey = nullptr;
}

bool CRegProfile::GetString(const char* name, char* buffer, DWORD bufferSize)
{
    if (buffer == nullptr || bufferSize == 0 || currentKey == nullptr)
        return false;
    DWORD type = 0, size = 0;
    if (ZVRegQueryValueEx(currentKey, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
        return false;
    // Read through a block of the value's full size, so that the caller's buffer is only written with a whole,
    // terminated text that fits. The value may lack its terminator, hence the extra byte.
    std::vector<char> value(size + 1, '\0');
    DWORD readSize = size;
    if (ZVRegQueryValueEx(currentKey, name, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &readSize)
            != ERROR_SUCCESS
        || type != REG_SZ)
        return false;
    size_t length = strnlen(value.data(), readSize);
    if (length + 1 > bufferSize)
        return false;
    memcpy(buffer, value.data(), length);
    buffer[length] = '\0';
    return true;
}

bool CRegProfile::GetInt(const char* name, DWORD* value)
{
    if (value == nullptr || currentKey == nullptr)
        return false;
    DWORD type = 0, read = 0, size = sizeof(read);
    if (ZVRegQueryValueEx(currentKey, name, nullptr, &type, reinterpret_cast<BYTE*>(&read), &size) != ERROR_SUCCESS
        || type != REG_DWORD || size != sizeof(read))
        return false;
    *value = read;
    return true;
}

bool CRegProfile::GetBinary(const char* name, void* buffer, DWORD* size)
{
    if (size == nullptr)
        return false;
    DWORD type = 0, valueSize = 0;
    if (currentKey == nullptr
        || ZVRegQueryValueEx(currentKey, name, nullptr, &type, nullptr, &valueSize) != ERROR_SUCCESS) {
        *size = 0;
        return false;
    }
    if (buffer == nullptr) {
        *size = valueSize;
        return true;
    }
    if (*size < valueSize) {
        *size = valueSize;
        return false;
    }
    if (type != REG_BINARY) {
        *size = 0;
        return false;
    }
    return ZVRegQueryValueEx(currentKey, name, nullptr, &type, static_cast<BYTE*>(buffer), size) == ERROR_SUCCESS;
}

bool CRegProfile::SetString(const char* name, const char* text)
{
    if (text == nullptr || text[0] == '\0' || !IsWritable())
        return false;
    return ZVRegSetValueEx(
               currentKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text) + 1))
        == ERROR_SUCCESS;
}

bool CRegProfile::SetInt(const char* name, DWORD value)
{
    if (!IsWritable())
        return false;
    return ZVRegSetValueEx(currentKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value))
        == ERROR_SUCCESS;
}

bool CRegProfile::SetBinary(const char* name, const void* data, DWORD size)
{
    if (data == nullptr || size == 0 || !IsWritable())
        return false;
    return ZVRegSetValueEx(currentKey, name, 0, REG_BINARY, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool CRegProfile::CreateSubKey(const char* subPath)
{
    if (mainKey == nullptr || currentKey != mainKey)
        return false;
    HKEY key = nullptr;
    if (ZVRegCreateKeyEx(mainKey, subPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return false;
    currentKey = key;
    return true;
}

bool CRegProfile::CloseSubKey()
{
    if (currentKey == mainKey)
        return false;
    RegCloseKey(currentKey);
    currentKey = mainKey;
    return true;
}

void CRegProfile::SetRoot(HKEY newRootKey, const char* newBasePath)
{
    if (currentKey != nullptr || newRootKey == nullptr || newBasePath == nullptr)
        return;
    rootKey = newRootKey;
    lstrcpynA(basePath, newBasePath, sizeof(basePath));
}

DWORD CRegProfile::GetSubKeyCount()
{
    DWORD count = 0;
    if (currentKey == nullptr
        || ZVRegQueryInfoKey(currentKey, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
               nullptr, nullptr)
            != ERROR_SUCCESS)
        return 0;
    return count;
}

bool CRegProfile::HoldsNothing()
{
    DWORD subKeys = 0, values = 0;
    return currentKey != nullptr
        && ZVRegQueryInfoKey(currentKey, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr,
               nullptr, nullptr, nullptr)
        == ERROR_SUCCESS
        && subKeys == 0 && values == 0;
}

bool CRegProfile::EnumSubKey(DWORD index, char* nameBuffer, DWORD bufferSize)
{
    if (currentKey == nullptr || nameBuffer == nullptr)
        return false;
    DWORD capacity = bufferSize;
    return ZVRegEnumKeyEx(currentKey, index, nameBuffer, &capacity, nullptr, nullptr, nullptr, nullptr)
        == ERROR_SUCCESS;
}

bool CRegProfile::DeleteKeysBelow(HKEY key)
{
    DWORD count = 0, longestName = 0;
    if (ZVRegQueryInfoKey(
            key, nullptr, nullptr, nullptr, &count, &longestName, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr)
        != ERROR_SUCCESS)
        return false;
    // A name the system holds in UTF-16 may take more bytes of program text than a path buffer.
    std::vector<char> name(std::max<size_t>(longestName + 1, kKeyPathBytes));
    // From the last sub-key to the first, so that deleting one does not move the indexes still to come.
    for (DWORD index = count; index-- > 0;) {
        DWORD nameSize = static_cast<DWORD>(name.size());
        if (ZVRegEnumKeyEx(key, index, name.data(), &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return false;
        HKEY child = nullptr;
        if (ZVRegOpenKeyEx(key, name.data(), 0, KEY_ALL_ACCESS, &child) != ERROR_SUCCESS)
            return false;
        bool emptied = DeleteKeysBelow(child);
        RegCloseKey(child);
        if (!emptied)
            return false;
        ZVRegDeleteKey(key, name.data());
    }
    return true;
}

bool CRegProfile::DeleteTree(const char* subPath)
{
    if (!IsWritable() || subPath == nullptr || subPath[0] == '\0')
        return false;
    HKEY key = nullptr;
    if (ZVRegOpenKeyEx(currentKey, subPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return false;
    bool emptied = DeleteKeysBelow(key);
    RegCloseKey(key);
    if (!emptied)
        return false;
    ZVRegDeleteKey(currentKey, subPath);
    return true;
}
