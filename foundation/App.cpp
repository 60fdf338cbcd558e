#include "foundation/App.h"

#include "foundation/Captions.h"
#include "foundation/ProcessCalls_win.h"
#include "foundation/Trace.h"
#include "foundation/WindowCalls_win.h"

namespace {

const char kDefaultAppName[] = "ZenvoraDefaultAPP";
const char kDefaultMutexName[] = "ZenvoraDefaultMutex";
const char kAlreadyRunningFormat[] = "%s\nは既に実行されています\n複数起動することはできません";

} // namespace

CApp::CApp(const char* appName, const char* mutexName)
    : m_instance(nullptr)
    , m_mutex(nullptr)
    , m_startExitCode(-1)
    , m_quitting(false)
{
    lstrcpynA(m_appName, appName ? appName : kDefaultAppName, sizeof(m_appName));
    lstrcpynA(m_mutexName, mutexName ? mutexName : kDefaultMutexName, sizeof(m_mutexName));
}

CApp::~CApp() { }

HINSTANCE CApp::GetInstance()
{
    return m_instance;
}

int CApp::Run(HINSTANCE instance, HINSTANCE prevInstance, LPSTR cmdLine, int showCmd)
{
    if (!InitInstance(instance, prevInstance, cmdLine, showCmd))
        return m_startExitCode;
    return RunLoop(false);
}

int CApp::RunPolling(HINSTANCE instance, HINSTANCE prevInstance, LPSTR cmdLine, int showCmd)
{
    if (!InitInstance(instance, prevInstance, cmdLine, showCmd))
        return m_startExitCode;
    return RunLoop(true);
}

int CApp::RunLoop(bool polling)
{
    while (!m_quitting) {
        if (polling)
            PeekAndPump();
        else
            PumpMessage();
        OnIdle();
    }
    return ExitInstance();
}

bool CApp::InitInstance(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    m_instance = instance;
    HANDLE mutex = ZVCreateMutex(nullptr, TRUE, m_mutexName);
    if (mutex == nullptr) {
        Trace("失敗：CApp::InitInstance ミューテックスが作成できない (%s)\n", m_mutexName);
        return false;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        // wsprintfA writes at most 1024 bytes: a 255-byte name and the text always fit.
        char message[1024];
        wsprintfA(message, kAlreadyRunningFormat, m_appName);
        ShowProgramMessageBox(nullptr, message, ZV_CAPTION_ALREADY_RUNNING, MB_ICONERROR | MB_SETFOREGROUND);
        CloseHandle(mutex);
        return false;
    }
    m_mutex = mutex;
    return true;
}

int CApp::ExitInstance()
{
    if (m_mutex != nullptr) {
        CloseHandle(m_mutex);
        m_mutex = nullptr;
    }
    return 0;
}

bool CApp::PumpMessage()
{
    MSG message;
    BOOL got = GetProgramMessage(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        m_quitting = true;
        return false;
    }
    for (HWND dialog : m_dialogs) {
        if (IsProgramDialogMessage(dialog, &message))
            return true;
    }
    TranslateMessage(&message);
    DispatchProgramMessage(&message);
    return true;
}

bool CApp::PeekAndPump()
{
    MSG message;
    if (!PeekProgramMessage(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (message.message == WM_QUIT) {
        m_quitting = true;
        return true;
    }
    for (HWND dialog : m_dialogs) {
        if (dialog == message.hwnd && IsProgramDialogMessage(dialog, &message))
            return true;
    }
    TranslateMessage(&message);
    DispatchProgramMessage(&message);
    return true;
}

void CApp::OnIdle() { }
