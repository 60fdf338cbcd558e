// Small owners of the Win32 handles that a function opens and closes itself: each closes its handle when it
// goes out of scope, whichever way the function is left. They cannot be copied.
#pragma once

#include "foundation/ShellCalls_win.h"
#include "foundation/SystemApi.h"

#include <objbase.h> // after <windows.h>, which it needs

// A FindFirstFileA search.
class CFindHandle {
public:
    explicit CFindHandle(HANDLE handle)
        : m_handle(handle)
    {
    }
    ~CFindHandle()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            FindClose(m_handle);
    }
    CFindHandle(const CFindHandle&) = delete;
    CFindHandle& operator=(const CFindHandle&) = delete;
    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// The process and thread handles of a program that CreateProcessA started (both null until then).
class CProcessHandles {
public:
    CProcessHandles()
        : m_info()
    {
    }
    ~CProcessHandles()
    {
        if (m_info.hThread != nullptr)
            CloseHandle(m_info.hThread);
        if (m_info.hProcess != nullptr)
            CloseHandle(m_info.hProcess);
    }
    CProcessHandles(const CProcessHandles&) = delete;
    CProcessHandles& operator=(const CProcessHandles&) = delete;
    // For CreateProcessA to fill; only while no process is held.
    PROCESS_INFORMATION* Info() { return &m_info; }
    HANDLE Process() const { return m_info.hProcess; }

private:
    PROCESS_INFORMATION m_info;
};

// COM on this thread for as long as the owner lives, where it could be initialized.
class CComInitialization {
public:
    CComInitialization()
        : m_result(ZVCoInitialize())
    {
    }
    ~CComInitialization()
    {
        if (SUCCEEDED(m_result))
            ZVCoUninitialize();
    }
    CComInitialization(const CComInitialization&) = delete;
    CComInitialization& operator=(const CComInitialization&) = delete;

private:
    HRESULT m_result;
};
