// CApp: the application frame. The base of the one application object; owns the message loop and the quit flag
// that long-running work inside message handlers looks at while it keeps the windows alive with PeekAndPump.
#pragma once

#include <vector>

#include "foundation/SystemApi.h"

class CApp {
public:
    // Null names select "ZenvoraDefaultAPP" and "ZenvoraDefaultMutex"; longer names are cut to 255 bytes.
    CApp(const char* appName, const char* mutexName);
    virtual ~CApp(); // does not close the mutex: ExitInstance does
    CApp(const CApp&) = delete;
    CApp& operator=(const CApp&) = delete;

    virtual HINSTANCE GetInstance();
    // InitInstance, then the blocking pump until the quit flag is set, then ExitInstance. A false InitInstance
    // returns the start's exit code (-1 unless InitInstance set another) at once and ExitInstance is not called.
    virtual int Run(HINSTANCE instance, HINSTANCE prevInstance, LPSTR cmdLine, int showCmd);
    // The same loop with the non-blocking pump.
    virtual int RunPolling(HINSTANCE instance, HINSTANCE prevInstance, LPSTR cmdLine, int showCmd);
    // Records the instance and takes the single-instance mutex; a second start is told so in a message box.
    virtual bool InitInstance(HINSTANCE instance, HINSTANCE prevInstance, LPSTR cmdLine, int showCmd);
    virtual int ExitInstance(); // closes the mutex; returns the exit code 0
    // Waits for one message and handles it; false (and the quit flag set) on WM_QUIT or a failed wait.
    virtual bool PumpMessage();
    // Handles one message if one is waiting: false when the queue was empty. WM_QUIT sets the quit flag and
    // is not dispatched (the result is then true).
    virtual bool PeekAndPump();
    virtual void OnIdle();

    bool IsQuitting() const { return m_quitting; }
    // A modeless dialog whose messages the pumps offer to IsProgramDialogMessage first.
    void AddDialog(HWND dialog) { m_dialogs.push_back(dialog); }

protected:
    HINSTANCE m_instance;
    HANDLE m_mutex; // held while the application runs; null when none is held
    int m_startExitCode; // the exit code when InitInstance returns false
    char m_appName[256];
    char m_mutexName[256];
    bool m_quitting; // only ever set, never cleared
    std::vector<HWND> m_dialogs;

private:
    int RunLoop(bool polling);
};
