// The copy's progress on the main window's taskbar button, where the system has the taskbar list (Windows 7 and
// later); elsewhere nothing happens.
#include "foundation/ScopedHandles.h"
#include "ui/MainWnd.h"

#include <shobjidl.h> // after <windows.h>, which it needs

namespace {

// The taskbar's object, named here: the import library of GUIDs would bring every GUID of the system.
const CLSID kTaskbarListClass = {0x56FDF344, 0xFD6D, 0x11D0, {0x95, 0x8A, 0x00, 0x60, 0x97, 0xC9, 0xA0, 0x90}};

} // namespace

void CMainWnd::SetTaskbarProgress(int completed, int total, int state)
{
    // The list is asked for once: a system without it is not asked again for every update.
    if (!taskbarListTried) {
        taskbarListTried = true;
        ITaskbarList3* list = nullptr;
        if (SUCCEEDED(ZVCoCreateInstance(kTaskbarListClass, nullptr, CLSCTX_INPROC_SERVER, __uuidof(ITaskbarList3),
                reinterpret_cast<void**>(&list)))) {
            // The list must be initialized before any other of its calls.
            if (SUCCEEDED(list->HrInit()))
                taskbarList = list;
            else
                list->Release();
        }
    }
    if (taskbarList == nullptr)
        return;
    taskbarList->SetProgressState(hwnd, static_cast<TBPFLAG>(state));
    if (state != TBPF_NOPROGRESS)
        taskbarList->SetProgressValue(hwnd, static_cast<ULONGLONG>(completed), static_cast<ULONGLONG>(total));
}

void CMainWnd::ReleaseTaskbarList()
{
    if (taskbarList != nullptr)
        taskbarList->Release();
    taskbarList = nullptr;
    taskbarListTried = false;
}
