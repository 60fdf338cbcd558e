// CBrowseFolder: the system's folder browser around one 260-byte path. COM is initialised for the object's life.
#pragma once

#include "foundation/SystemApi.h"

#include <shlobj.h>

class CBrowseFolder {
public:
    CBrowseFolder(); // CoInitialize; no owner, empty title and path, flags 0
    virtual ~CBrowseFolder(); // CoUninitialize, when the constructor's call succeeded
    CBrowseFolder(const CBrowseFolder&) = delete;
    CBrowseFolder& operator=(const CBrowseFolder&) = delete;

    void SetOwner(HWND owner);
    void SetTitle(const char* text); // the line above the tree; at most 255 bytes, cut on a character boundary
    void SetFlags(UINT flags); // BIF_ flags
    void SetPath(const char* text); // cut on a character boundary to the path buffer
    const char* GetPath() const;

    // Shows the browser, modal to the owner. 1 when a folder of the file system was chosen (GetPath names it), 2
    // when the user cancelled or the choice has no path; the path buffer may then hold the item's display name.
    // The current directory is the same afterwards.
    int Browse();

private:
    char path[260];
    char title[260];
    BROWSEINFOA info;
    bool comInitialised;
};
