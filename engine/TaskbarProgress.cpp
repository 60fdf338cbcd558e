// The copy's progress on the main window's taskbar button, where the system has the taskbar list (Windows 7 and
// later); elsewhere nothing happens.
#include "foundation/ScopedHandles.h"
#include "ui/MainWnd.h"

#include <shobjidl.h> // after <windows.h>, which it needs

void CMainWnd::SetTaskbarProgress(int completed, int total, int state)
{
    CComInitialization com;
    ITaskbarList3* taskbar = nullptr;
    if (SUCCEEDED(CoCreateInstance(
            CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3, reinterpret_cast<void**>(&taskbar)))) {
        // The list must be initialized before any other of its calls.
        if (SUCCEEDED(taskbar->HrInit())) {
            taskbar->SetProgressState(hwnd, static_cast<TBPFLAG>(state));
            if (state != TBPF_NOPROGRESS)
                taskbar->SetProgressValue(hwnd, static_cast<ULONGLONG>(completed), static_cast<ULONGLONG>(total));
        }
        taskbar->Release();
    }
}
