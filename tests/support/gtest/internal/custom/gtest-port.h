// GoogleTest's hook for platform adjustments, found before its own empty one on the Windows side.
//
// The Windows side is built with the win32 thread model (what ships must not import the POSIX thread runtime),
// whose C++ library has no std::mutex or std::condition_variable. GoogleTest needs them only for its Notification
// class; this is the same class on a Win32 event.
#pragma once

#ifdef _WIN32
#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
public:
    Notification()
        : m_event(CreateEventA(nullptr, TRUE, FALSE, nullptr))
    {
    }
    ~Notification() { CloseHandle(m_event); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { SetEvent(m_event); }
    void WaitForNotification() { WaitForSingleObject(m_event, INFINITE); }

private:
    HANDLE m_event;
};

} // namespace internal
} // namespace testing
#endif
