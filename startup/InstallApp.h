// CInstallApp: the installer's application class and its one static object, reached through GetApp. Its start
// step decides among the three ways the program runs: the first start from the disc (copy the program to a work
// folder under the temporary folder, start the copy, end), the copy (-temp: the menu window and the message
// loop) and the silent start (-silent: start the disc's ZVSetup.exe from a CD-ROM drive).
#pragma once

#include <cstdint>

#include "foundation/App.h"
#include "foundation/ZVString.h"
#include "startup/CommandLine.h"
#include "ui/MainWnd.h"

class CInstallApp : public CApp {
public:
    CInstallApp();
    ~CInstallApp() override; // closes the installer mutex when it is held

    // CApp's run; an unattended first start ends its report with the exit code.
    int Run(HINSTANCE instance, HINSTANCE prevInstance, LPSTR cmdLine, int showCmd) override;
    // True only for the copy, whose menu window is then shown; every other way ends with false (exit code -1)
    // once its work is done. A start while a copy runs (the mutex "ZVSetupApp" exists) ends at once, silently.
    bool InitInstance(HINSTANCE instance, HINSTANCE prevInstance, LPSTR cmdLine, int showCmd) override;
    // Schedules the deletion of the running executable when this process is the copy; returns 0. The mutex
    // stays held until the destructor.
    int ExitInstance() override;

    // Fills the option members from the command line (see startup/CommandLine.h).
    void ParseCommandLine(const char* cmdLine);

    // Classifies the running system into the Windows class code; false (code -1) when it is not classifiable.
    bool DetectWindowsVersion();
    // True when the system is at least min9x (95 family) or minNT (NT family); kRefuseFamily refuses a family.
    // Classifies the system first when that has not been done.
    bool CheckWindowsVersion(int32_t min9x, int32_t minNT);
    int32_t GetWindowsClassCode() const { return windowsClassCode; }

    // Tells the user that the menu window could not be made, in a box that stays until the user closes it, even
    // though the failed window posted the quit message.
    static void ReportMainWindowFailure();

    CMainWnd& GetMainWindow() { return mainWindow; }
    bool IsTempOption() const { return tempOption; }
    bool IsSilentOption() const { return silentOption; }
    const char* GetDirOption() const { return dirOption; }

private:
    bool FindScriptOnDiscs(); // the disc search when "Install.ifo" is not in the current folder
    bool RunSilent(); // always false: this process ends
    bool RunCopy(HINSTANCE instance);
    bool CopyAndRelaunch(); // always false: this process ends
    // Takes back what a failed first start left in the work folder.
    void RemoveWorkCopy(const char* workFolder, const char* copyPath, bool ownFolder);

    int32_t windowsClassCode; // -1 until the system is classified
    bool deleteSelf; // set by the copy: ExitInstance schedules the deletion of the running executable
    HANDLE installerMutex; // "ZVSetupApp", held by the copy while it runs; null otherwise
    bool tempOption;
    bool silentOption;
    char dirOption[kPathBytes]; // "" when absent
    COMMAND_LINE_OPTIONS options; // every option of the command line, the unattended run's among them
    CMainWnd mainWindow;
};

// The one application object.
CInstallApp* GetApp();
