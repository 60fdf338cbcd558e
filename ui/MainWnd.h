// The main window: the menu the user starts, installs and uninstalls from. It owns the install description and
// the install state for the life of the process; each group of its operations is defined in its subsystem's
// folder (the script's in script/, the start-up helpers in startup/, the menu in ui/).
#pragma once

#include "script/InstallDescription.h"
#include "ui/ZVWnd.h"

class CMainWnd : public CZVWnd, public INSTALL_DESCRIPTION {
public:
    CMainWnd(); // sourceDir starts as the current directory
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
    // Handles the menu's messages (the buttons' private messages, the extra buttons' WM_COMMAND) and passes the
    // rest to the base.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Paints the splash picture at the top left of the client area.
    void OnPaint(HDC dc) override;

    // Shows a script message: null or empty does nothing (0); a text beginning with "%" opens the file named by
    // the rest in Notepad without waiting (0); any other text is a box captioned "情報" of the given type, whose
    // pressed button is returned.
    int ShowScriptMessage(const char* text, UINT type);
    // Starts a wave file asynchronously; false for a null or empty name and when it did not start.
    bool PlayScriptSound(const char* fileName);
    // Finds out from the registry whether the title is installed and where: installedDir and the four flags.
    // The current directory is the same afterwards.
    void ReadInstallState();
    // Shows, hides, enables and disables the launch, install and uninstall buttons for the install state.
    void ApplyInstallState();

    char sourceDir[260]; // the folder of the disc that holds "Install.ifo"
    char installedDir[260]; // the install folder with its trailing backslash; empty when not installed
    bool isInstalled;
    bool isInstalledForAllUsers; // found under the default user's hive
    bool hasAdminRights; // the default user's hive may be written
    bool isDirectXReady; // the installed DirectX is at least directxrequire

protected:
    HWND subFormHandle; // the modeless menu dialog (101), a child of this window
    CZVWnd subForm; // attached to subFormHandle
    HBITMAP splashBitmap; // "splash.bmp" or the generated replacement; never released

private:
    LRESULT BuildMenu(); // WM_CREATE: 0, or -1 when the sub-form cannot be made
    void LoadSplashBitmap();
    void PlaceWindows();
    void CreateExtraButtons();
    void LaunchGame();
    void StartExtraProgram(int controlId);
    bool QueryDirectXVersion(HMODULE* library); // false when the library could not be used
    bool ConfirmDirectXForLaunch();
    void ShowNotYetAvailable();
    static INT_PTR CALLBACK SubFormProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};
