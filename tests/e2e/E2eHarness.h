// The end-to-end harness: a Windows program of our own that starts the real ZVSetup.exe under Wine, waits for its
// windows and message boxes, reads their texts, presses their buttons and checks what the program left behind.
//
// run-scenario.sh prepares what a Windows program cannot: for each drive letter of the scenario an empty disc
// folder on the Unix side and the prefix's dosdevices link to it. It passes the scenario's folder (ZV_E2E_ROOT,
// a Unix path), the letters (ZV_E2E_LETTERS) and the program (ZV_E2E_PROGRAM) in the environment. The fixture
// here asks Wine's mount manager to make those drives CD-ROM drives (the registry value alone is read only when
// the manager starts) and removes them again.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

#include "tests/PendingDeletions.h"

// A started process: closes its handles; ends it when it is still running at the end of the scenario.
class CStartedProcess {
public:
    CStartedProcess() = default;
    ~CStartedProcess();
    CStartedProcess(const CStartedProcess&) = delete;
    CStartedProcess& operator=(const CStartedProcess&) = delete;

    // CreateProcessA(program, "\"program\" arguments", ..., workingDir). False when it could not start.
    bool Start(const std::string& program, const std::string& arguments, const std::string& workingDir);
    // Takes over a process found by its window.
    bool Open(DWORD processId);
    // Waits for the end; the exit code, or STILL_ACTIVE when it did not end within timeoutMs.
    DWORD WaitExit(DWORD timeoutMs);
    DWORD Id() const { return m_id; }
    HANDLE Handle() const { return m_process; }

private:
    HANDLE m_process = nullptr;
    DWORD m_id = 0;
};

// Runs program (from workingDir, without arguments) with this process as its debugger until it ends, and adds the
// file name of every DLL it loads, in lower case, to dlls; the processes it starts are not watched. The exit code,
// or STILL_ACTIVE when it did not end within timeoutMs.
DWORD RunNotingLoadedDlls(
    const std::string& program, const std::string& workingDir, DWORD timeoutMs, std::vector<std::string>* dlls);

// A message box of another process, read before it is answered.
struct FOUND_BOX {
    HWND window = nullptr;
    DWORD processId = 0;
    std::string caption;
    std::string text;
};

// Waits for a visible top-level window of the class (and the title when it is not null) in any process but this
// one; null when none appeared within timeoutMs.
HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs);
// Waits for a message box ("#32770") of another process (of process processId when it is not 0: tests running
// beside the scenario show boxes too); a null caption takes any box. window is null when none appeared.
FOUND_BOX WaitForBox(const char* caption, DWORD timeoutMs, DWORD processId = 0);
// Presses the box's button (IDOK, IDCANCEL, ...) and waits until the box is gone.
bool AnswerBox(const FOUND_BOX& box, int buttonId);
// True when no message box of process processId (0: of any other process) shows up within timeoutMs.
bool NoBoxAppears(DWORD processId, DWORD timeoutMs);

// The window's text, read in UTF-16 and turned into Shift-JIS by the program's own table: the scenarios compare it
// with their Shift-JIS texts under any locale of the prefix.
std::string WindowText(HWND window);
// The command line of another process, read from its process parameters; "" when it cannot be read.
std::string ProcessCommandLine(HANDLE process);
// The full path of another process's executable; "" when it cannot be read.
std::string ProcessImagePath(HANDLE process);

// Defines the drive letter as a CD-ROM drive of the prefix on the Unix folder unixFolder; a null unixFolder
// removes the drive. False when the mount manager refused.
bool DefineCdromDrive(char letter, const char* unixFolder);

// Saves what the screen shows of the window as a 24-bit picture file.
bool SaveWindowPicture(HWND window, const std::string& path);

// Files and folders.
std::string UnixToWindows(const std::string& unixPath); // "Z:\..." as Wine sees the Unix root
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool PathExists(const std::string& path);
void RemoveFolder(const std::string& path); // with everything in it; a missing folder is fine
std::string TempPath(); // the temporary folder with its trailing backslash
// A valid picture of width x height, 24 bits a pixel, one colour.
std::string MakeBitmap(int width, int height, unsigned char red, unsigned char green, unsigned char blue);
// The process ids of the running programs whose executable has this file name.
std::vector<DWORD> ProcessesNamed(const char* exeName);
