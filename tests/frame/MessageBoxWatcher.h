// Reads the real message box a test provokes: a helper thread waits for a dialog-class window ("#32770") of
// this process, records its caption, its text and its owner, and presses one of its buttons.
#pragma once

#include <string>

#include <windows.h>

class MessageBoxWatcher {
public:
    // Starts watching; the first box that appears within timeoutMs is answered with the button answerId, answerAfterMs
    // after it was found. A box that is gone by then counts as not answered: it did not wait for the user.
    explicit MessageBoxWatcher(int answerId = IDOK, DWORD timeoutMs = 10000, DWORD answerAfterMs = 0);
    ~MessageBoxWatcher(); // waits for the helper thread
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // Waits for the helper thread; true when a box was found and answered.
    bool Wait();

    std::string caption;
    std::string text;
    HWND owner = nullptr;

private:
    static DWORD WINAPI Watch(void* self);
    static BOOL CALLBACK FindBox(HWND window, LPARAM found);

    int m_answerId;
    DWORD m_timeoutMs;
    DWORD m_answerAfterMs;
    bool m_answered = false;
    HANDLE m_thread;
};
