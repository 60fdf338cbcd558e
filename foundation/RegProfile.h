// The settings store: CProfile is the interface, CRegProfile its registry implementation. A profile stands for
// one open key (root key + base path + sub-path) and optionally one open sub-key under it; values are read and
// written in whichever of the two is current. Users open, work and call Close themselves: the destructor closes
// nothing. Every failure is a false result (or a count of 0); nothing is shown to the user.
#pragma once

#include "foundation/SystemApi.h"

class CProfile {
public:
    virtual ~CProfile() { }
    virtual bool Create(const char* subPath) = 0;
    virtual bool Open(const char* subPath) = 0;
    virtual void Close() = 0;
    virtual bool GetString(const char* name, char* buffer, DWORD bufferSize) = 0;
    virtual bool GetInt(const char* name, DWORD* value) = 0;
    virtual bool GetBinary(const char* name, void* buffer, DWORD* size) = 0;
    virtual bool SetString(const char* name, const char* text) = 0;
    virtual bool SetInt(const char* name, DWORD value) = 0;
    virtual bool SetBinary(const char* name, const void* data, DWORD size) = 0;
    virtual bool CreateSubKey(const char* subPath) = 0;
    virtual bool CloseSubKey() = 0;
};

class CRegProfile : public CProfile {
public:
    CRegProfile(); // closed; root HKEY_CURRENT_USER, base path "Software"
    ~CRegProfile() override; // does not close open keys
    CRegProfile(const CRegProfile&) = delete;
    CRegProfile& operator=(const CRegProfile&) = delete;

    // Opens "base path\subPath" (the base path alone for a null subPath) with full access, creating missing
    // keys, and makes it writable. A path of 260 bytes or more fails.
    bool Create(const char* subPath) override;
    // Opens an existing "base path\subPath" (the base path alone for a null subPath) with full access.
    bool Open(const char* subPath) override;
    void Close() override; // closes both keys
    // Reads a REG_SZ value into buffer (bufferSize bytes, terminator included). A value that does not fit, or of
    // another type, fails and leaves buffer unchanged. The text is always zero-terminated.
    bool GetString(const char* name, char* buffer, DWORD bufferSize) override;
    // Reads a REG_DWORD value; on failure *value is unchanged.
    bool GetInt(const char* name, DWORD* value) override;
    // A null buffer gives the value's size in *size (true). A *size smaller than the value gives the needed size
    // (false). A value of another type than REG_BINARY gives *size 0 (false).
    bool GetBinary(const char* name, void* buffer, DWORD* size) override;
    // The writes fail while the profile is read-only or no key is open.
    bool SetString(const char* name, const char* text) override; // an empty text fails
    bool SetInt(const char* name, DWORD value) override;
    bool SetBinary(const char* name, const void* data, DWORD size) override; // null data or size 0 fails
    // Opens (creating it if needed) a sub-key of the main key and makes it current; false while one is current.
    bool CreateSubKey(const char* subPath) override;
    bool CloseSubKey() override; // false when no sub-key is current

    // Opens "base path\subPath" for reading; every write fails until the next Create.
    bool OpenReadOnly(const char* subPath);
    // Another root key and base path (cut to 255 bytes); only while closed and with both given.
    void SetRoot(HKEY rootKey, const char* basePath);
    DWORD GetSubKeyCount(); // of the current key; 0 when it cannot be asked
    // True when the current key has neither sub-keys nor values; false when it cannot be asked.
    bool HoldsNothing();
    bool EnumSubKey(DWORD index, char* nameBuffer, DWORD bufferSize);
    // Deletes subPath under the current key with every key below it. A null or empty subPath (it would name the
    // current key itself) and a read-only profile fail and delete nothing.
    bool DeleteTree(const char* subPath);

private:
    bool FormatKeyPath(char* path, const char* subPath, bool baseAloneForNull);
    bool IsWritable() const { return currentKey != nullptr && !readOnly; }
    static bool DeleteKeysBelow(HKEY key);

    HKEY mainKey;
    HKEY currentKey;
    HKEY rootKey;
    char basePath[256];
    bool readOnly;
};
