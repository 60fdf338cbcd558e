// The main window: the menu the user starts, installs and uninstalls from. It owns the install description and
// the install state for the life of the process; each group of its operations is defined in its subsystem's
// folder (the script's in script/, the start-up helpers in startup/, the menu in ui/).
#pragma once

#include "script/InstallDescription.h"
#include "ui/ZVWnd.h"

class CMainWnd : public CZVWnd, public INSTALL_DESCRIPTION {
public:
    CMainWnd();  // sourceDir starts as the current directory
    ~CMainWnd() override;
    CMainWnd(const CMainWnd&) = delete;
    CMainWnd& operator=(const CMainWnd&) = delete;

    // Reads the install script fileName (a plain file) into the description. False when the file cannot be read
    // (nothing is shown; the caller reports it) or at a syntax error, which has then been shown in a "構文エラー"
    // box naming the error, the file and the line.
    bool ReadInstallInfo(const char* fileName);

    // --- start-up (startup/) ---
    // Copies path into sourceDir when it is 1 to 259 bytes long; otherwise nothing changes.
    void SetSourceDir(const char* path);
    // Removes a folder with everything in it; false when something could not be removed.
    bool RemoveTree(const char* path);

    // --- the menu (ui/) ---

    char sourceDir[260];  // the folder of the disc that holds "Install.ifo"
};
