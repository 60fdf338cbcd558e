// The main window: the menu the user starts, installs and uninstalls from. It owns the install description and
// the install state for the life of the process, and is the person of the install (engine/Install.h) and of the
// uninstall (uninstall/Uninstall.h); its members are defined in ui/.
#pragma once

#include "engine/InstallPerson.h"
#include "log/InstallState.h"
#include "script/InstallDescription.h"
#include "ui/ZVWnd.h"
#include "uninstall/UninstallPerson.h"

class CApp;
struct ITaskbarList3;

class CMainWnd : public CZVWnd,
                 public INSTALL_DESCRIPTION,
                 public INSTALL_STATE,
                 public IUninstallPerson,
                 public IInstallPerson {
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
    bool PlayScriptSound(const char* fileName) override;
    // Finds out from the registry whether the title is installed and where: installedDir and the four flags.
    // The current directory is the same afterwards.
    void ReadInstallState();
    // Shows, hides, enables and disables the launch, install and uninstall buttons for the install state.
    void ApplyInstallState();

    // --- the settings dialog (ui/) ---
    // The dialog procedure of template 102; ProgramDialogBox passes the window as the parameter. Ends with 1 after
    // "次へ" (the choices written into settings) and 2 after cancel (settings unchanged).
    static INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    // The install for all users exists only where the default user's hive is a real profile (Windows 2000 on).
    static bool OffersAllUsers();

    // --- DirectX (ui/) ---
    // The DirectX button: asks, runs the disc's DirectX set-up program and waits for it.
    void RunDirectXSetup();

    // --- installing (the button in ui/, the steps in engine/) ---
    // The install button: from the reinstall question to the final message; the menu shows the new state
    // afterwards. True when every step succeeded and "uninst.dat" was saved.
    bool Install();
    // The dialog procedure of template 103; ProgramDialogBox passes the window as the parameter. Ends with 1 when
    // every file was copied, else 2.
    static INT_PTR CALLBACK CopyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    // Shows completed of total and the state (a TBPF_ value) on the window's taskbar button, where the system has
    // the taskbar list. The list is made at the first call and kept until ReleaseTaskbarList, so COM must stay
    // initialized on the thread until then (the copy holds it for its whole run).
    void SetTaskbarProgress(int completed, int total, int state);
    void ReleaseTaskbarList();
    // True when sourceDir is the install folder or the kept folder: the program runs from an installed copy, not
    // from the disc, and nothing that only the disc has may be loaded or asked for.
    bool IsSourceInstalledCopy();
    // The install's questions in boxes owned by the window, and its copy in the copy dialog (ui/CopyDialog.cpp).
    int Ask(INSTALL_QUESTION question, const char* text, const char* caption, UINT type, int recommendation) override;
    bool RunWithProgress(ICopyWork& work) override;
    void ShowCopyTexts(const char* fileText, const char* countText) override;
    void ShowCopyBar(COPY_BAR bar, int percent) override;
    void ShowTaskbarProgress(int completed, int total, int state) override;
    void Breathe() override;

    // --- uninstalling (ui/): the uninstall (uninstall/Uninstall.h) with the menu as its person ---
    // The uninstall button: the uninstall, then the menu shows the new state. True for a complete success (the
    // window then closes).
    bool Uninstall();
    // The undo of an install of this title that was cut off, asked in a box; the menu shows the new state after a
    // replay. True when none is left; false when the person keeps it or the replay could not run.
    bool UndoInterruptedInstall();
    // The uninstall's questions and messages as boxes owned by the window (an empty question is not shown: its
    // recommendation is the answer), the script's sounds and messages as the menu's own.
    int Ask(UNINSTALL_QUESTION question, const char* text, const char* caption, UINT type, int recommendation) override;
    void Tell(const char* text, const char* caption, UINT type) override;
    void Note(const char* text, const char* caption) override;
    void ShowScriptMessage(const char* text) override;

    bool isDirectXReady; // the installed DirectX is at least directxrequire

    // The application frame: its pump keeps the windows alive during long work (the copy, the waits for started
    // programs), and its quit flag ends the waits. Handed over by the application; null pumps nothing.
    CApp* frame;
    char chosenBaseDir[260]; // the settings dialog's folder until "次へ" writes it into settings.installdir

    ICopyWork* copyWork; // the copy the copy dialog runs; null outside it
    HWND copyDialog; // the copy dialog while it is open
    ITaskbarList3* taskbarList; // kept from SetTaskbarProgress to ReleaseTaskbarList; null when there is none
    bool taskbarListTried; // SetTaskbarProgress asked the system for the list since the last ReleaseTaskbarList

protected:
    HWND subFormHandle; // the modeless menu dialog (101), a child of this window
    CZVWnd subForm; // attached to subFormHandle
    HBITMAP splashBitmap; // "splash.bmp" or the generated replacement; never released

private:
    void ReadProgramIdentity(); // moduleFileName, from the running program
    LRESULT BuildMenu(); // WM_CREATE: 0, or -1 when the sub-form cannot be made
    void Greet(); // the splash sound and message, then the undo of an install that was cut off
    bool LoadSplashBitmap(); // false when the generated replacement stands in for "splash.bmp"
    void PlaceWindows();
    void CreateExtraButtons();
    void LaunchGame();
    void StartExtraProgram(int controlId);
    bool QueryDirectXVersion(HMODULE* library); // false when the library was not asked: the registry answered
    bool ConfirmDirectXForLaunch();
    static INT_PTR CALLBACK SubFormProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    // The settings dialog's handlers (SettingsDialog.cpp).
    void InitSettingsDialog(HWND dialog);
    void ShowChosenFolder(HWND dialog); // "base folder\sub-folder" in the folder edit
    void BrowseInstallFolder(HWND dialog);
    void AcceptSettings(HWND dialog); // "次へ": ends the dialog with 1 once a type is chosen and the space confirmed
};
