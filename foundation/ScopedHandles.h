// Small owners of the Win32 handles that a function opens and closes itself: each closes its handle when it
// goes out of scope, whichever way the function is left. They cannot be copied.
#pragma once

#include "foundation/SystemApi.h"

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
