// The shell's calls in the program's text (Windows only): opening a file through the shell, the path of an item
// list, and shell links. The 95 family calls the A forms unchanged; the NT family converts
// (foundation/UnicodeText_win.h) and calls the W forms, so that a link or a folder named "ソ表" or "Її" is what the
// script and the system name. On the NT family a text that cannot be converted fails with ERROR_INVALID_NAME.
#pragma once

#include "foundation/SystemApi.h"

#include <shlobj.h>

// COM and the shell's allocator and folders, found in ole32 and shell32 at their first use
// (foundation/SystemLibraries.h); E_FAIL when the DLL or the function is missing.
HRESULT ZVCoInitialize();
void ZVCoUninitialize();
HRESULT ZVCoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD context, REFIID interfaceId, void** object);
HRESULT ZVSHGetMalloc(IMalloc** allocator);
HRESULT ZVSHGetSpecialFolderLocation(HWND owner, int folderId, LPITEMIDLIST* items);

HINSTANCE ZVShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, INT show);
// path holds MAX_PATH bytes; a path that does not fit it whole fails.
BOOL ZVSHGetPathFromIDList(PCIDLIST_ABSOLUTE items, LPSTR path);

// A new shell link object of the form the system takes texts in: IShellLinkW on the NT family, IShellLinkA on the
// 95 family. COM must be initialized on the thread. Released by the destructor.
class CShellLink {
public:
    CShellLink();
    ~CShellLink();
    CShellLink(const CShellLink&) = delete;
    CShellLink& operator=(const CShellLink&) = delete;

    bool IsValid() const { return m_link != nullptr; }
    // Sets what the link starts: target (also its icon, at iconIndex), its arguments and working folder, an empty
    // description, a normal window. False when a text cannot be converted.
    bool Describe(const char* target, const char* arguments, const char* folder, int iconIndex);
    // True when the object can be saved to a file (it offers IPersistFile).
    bool CanSave();
    // Saves the link to linkPath, converted by the program's table on both families (the shell takes the file name
    // in UTF-16 from either).
    bool Save(const char* linkPath);

private:
    IUnknown* m_link;
    bool m_wide;
};
