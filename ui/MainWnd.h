// The main window: the menu the user starts, installs and uninstalls from. It owns the install description for the
// life of the process; each group of its operations is defined in its subsystem's folder (the script's in
// script/). Its window comes with the window framework; for now it holds the description and reads the script.
#pragma once

#include "script/InstallDescription.h"

class CMainWnd : public INSTALL_DESCRIPTION {
public:
    CMainWnd() = default;
    virtual ~CMainWnd() = default;
    CMainWnd(const CMainWnd&) = delete;
    CMainWnd& operator=(const CMainWnd&) = delete;

    // Reads the install script fileName (a plain file) into the description. False when the file cannot be read
    // (nothing is shown; the caller reports it) or at a syntax error, which has then been shown in a "構文エラー"
    // box naming the error, the file and the line.
    bool ReadInstallInfo(const char* fileName);
};
