#include "tests/frame/MessageBoxWatcher.h"

namespace {

const int kMessageBoxTextId = 0xFFFF; // the static control that holds a message box's text

std::string WindowText(HWND window)
{
    char text[2048] = "";
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

} // namespace

MessageBoxWatcher::MessageBoxWatcher(int answerId, DWORD timeoutMs, DWORD answerAfterMs)
    : m_answerId(answerId)
    , m_timeoutMs(timeoutMs)
    , m_answerAfterMs(answerAfterMs)
{
    m_thread = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
}

MessageBoxWatcher::~MessageBoxWatcher()
{
    Wait();
}

bool MessageBoxWatcher::Wait()
{
    if (m_thread != nullptr) {
        WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
        m_thread = nullptr;
    }
    return m_answered;
}

BOOL CALLBACK MessageBoxWatcher::FindBox(HWND window, LPARAM found)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64] = "";
    GetClassNameA(window, className, sizeof(className));
    if (process == GetCurrentProcessId() && lstrcmpA(className, "#32770") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

DWORD WINAPI MessageBoxWatcher::Watch(void* self)
{
    MessageBoxWatcher* watcher = static_cast<MessageBoxWatcher*>(self);
    DWORD start = GetTickCount();
    while (GetTickCount() - start < watcher->m_timeoutMs) {
        HWND box = nullptr;
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&box));
        if (box != nullptr) {
            watcher->caption = WindowText(box);
            char text[2048] = "";
            GetDlgItemTextA(box, kMessageBoxTextId, text, sizeof(text));
            watcher->text = text;
            watcher->owner = GetWindow(box, GW_OWNER);
            if (watcher->m_answerAfterMs > 0) {
                Sleep(watcher->m_answerAfterMs);
                if (!IsWindow(box))
                    return 0;
            }
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(watcher->m_answerId, BN_CLICKED),
                reinterpret_cast<LPARAM>(GetDlgItem(box, watcher->m_answerId)));
            watcher->m_answered = true;
            return 0;
        }
        Sleep(20);
    }
    return 0;
}
