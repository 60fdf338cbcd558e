#include "ui/ZVWnd.h"

#include <cstdarg>

#include "foundation/WindowCalls_win.h"

namespace {

const char kDefaultClassName[] = "ZVWndClass";
const DWORD kCreateStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

} // namespace

CZVWnd::CZVWnd()
    : hwnd(nullptr)
    , hInstance(nullptr)
    , lastWParam(0)
    , lastLParam(0)
{
    lstrcpynA(className, kDefaultClassName, sizeof(className));
    windowTitle[0] = '\0';
}

CZVWnd::~CZVWnd() { }

bool CZVWnd::RegisterWindowClass(HINSTANCE instance)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC | CS_BYTEALIGNCLIENT;
    windowClass.lpfnWndProc = StaticWindowProc;
    windowClass.cbWndExtra = sizeof(LONG_PTR); // the object pointer
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = className;
    PreRegisterClass(&windowClass);
    if (RegisterProgramClass(&windowClass))
        return true;
    // Every object of a class shares one registration: the first object's.
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CZVWnd::Create(HINSTANCE instance, int clientWidth, int clientHeight)
{
    hInstance = instance;
    if (hwnd != nullptr)
        return hwnd;
    if (!RegisterWindowClass(instance))
        return nullptr;

    int x = CW_USEDEFAULT, y = 0, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
    if (clientWidth != CW_USEDEFAULT) {
        RECT frame = {0, 0, clientWidth, clientHeight};
        AdjustWindowRectEx(&frame, kCreateStyle, FALSE, 0);
        width = frame.right - frame.left;
        height = frame.bottom - frame.top;
        x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    }

    CREATESTRUCTA record = {};
    record.lpCreateParams = this;
    record.hInstance = instance;
    record.cx = width;
    record.cy = height;
    record.x = x;
    record.y = y;
    record.style = kCreateStyle;
    record.lpszName = windowTitle;
    record.lpszClass = className;
    PreCreateWindow(&record);
    hwnd = CreateProgramWindow(record.dwExStyle, record.lpszClass, record.lpszName, record.style, record.x, record.y,
        record.cx, record.cy, record.hwndParent, record.hMenu, record.hInstance, record.lpCreateParams);
    return hwnd;
}

HWND CZVWnd::CreateEx(const CREATESTRUCTA& callerRecord)
{
    hInstance = callerRecord.hInstance;
    if (hwnd != nullptr)
        return hwnd;
    if (!RegisterWindowClass(callerRecord.hInstance))
        return nullptr;

    CREATESTRUCTA record = callerRecord;
    record.lpCreateParams = this;
    if (record.lpszClass == nullptr)
        record.lpszClass = className;
    if (record.lpszName == nullptr)
        record.lpszName = windowTitle;
    PreCreateWindow(&record);
    hwnd = CreateProgramWindow(record.dwExStyle, record.lpszClass, record.lpszName, record.style, record.x, record.y,
        record.cx, record.cy, record.hwndParent, record.hMenu, record.hInstance, record.lpCreateParams);
    return hwnd;
}

BOOL CZVWnd::Attach(HWND window)
{
    if (window == nullptr)
        return FALSE;
    hwnd = window;
    return TRUE;
}

LRESULT CALLBACK CZVWnd::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        CZVWnd* object = static_cast<CZVWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        object->hwnd = window;
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(object));
        return object->WindowProc(message, wParam, lParam);
    }
    CZVWnd* object = reinterpret_cast<CZVWnd*>(GetWindowLongPtrA(window, 0));
    if (object == nullptr) // the messages a window gets before WM_NCCREATE
        return DefProgramWindowProc(window, message, wParam, lParam);
    object->lastWParam = wParam;
    object->lastLParam = lParam;
    return object->WindowProc(message, wParam, lParam);
}

LRESULT CZVWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: return OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        OnPaint(dc);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_SETCURSOR: return OnSetCursor(lParam);
    case WM_NOTIFY: OnNotify(wParam, lParam); return 0;
    default: return DefProgramWindowProc(hwnd, message, wParam, lParam);
    }
}

LRESULT CZVWnd::OnCreate(CREATESTRUCTA*)
{
    return 1;
}

void CZVWnd::OnDestroy()
{
    PostQuitMessage(0);
}

void CZVWnd::OnPaint(HDC) { }

LRESULT CZVWnd::OnSetCursor(LPARAM)
{
    return DefProgramWindowProc(hwnd, WM_SETCURSOR, lastWParam, lastLParam);
}

void CZVWnd::OnNotify(WPARAM, LPARAM) { }

void CZVWnd::PreCreateWindow(CREATESTRUCTA*) { }

void CZVWnd::PreRegisterClass(WNDCLASSEXA*) { }

BOOL CZVWnd::Destroy()
{
    return hwnd ? ::DestroyWindow(hwnd) : FALSE;
}

HWND CZVWnd::GetHwnd()
{
    return hwnd;
}

HICON CZVWnd::GetIcon(bool big)
{
    return reinterpret_cast<HICON>(SendMessage(WM_GETICON, big ? 1 : 0, 0));
}

HICON CZVWnd::SetIcon(HICON icon, bool big)
{
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? 1 : 0, reinterpret_cast<LPARAM>(icon)));
}

HMENU CZVWnd::GetMenu()
{
    return hwnd ? ::GetMenu(hwnd) : nullptr;
}

HMENU CZVWnd::GetSystemMenu(bool revert)
{
    return hwnd ? ::GetSystemMenu(hwnd, revert) : nullptr;
}

BOOL CZVWnd::SetMenu(HMENU menu)
{
    return hwnd ? ::SetMenu(hwnd, menu) : FALSE;
}

HFONT CZVWnd::GetFont()
{
    return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT, 0, 0));
}

BOOL CZVWnd::SetFont(HFONT font, bool redraw)
{
    if (hwnd == nullptr)
        return FALSE;
    PostMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? 1 : 0);
    return TRUE;
}

BOOL CZVWnd::SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return hwnd ? ::SetWindowPos(hwnd, insertAfter, x, y, cx, cy, flags) : FALSE;
}

BOOL CZVWnd::MoveWindow(int x, int y, int width, int height, bool repaint)
{
    return hwnd ? ::MoveWindow(hwnd, x, y, width, height, repaint) : FALSE;
}

BOOL CZVWnd::ShowWindow(int command)
{
    return hwnd ? ::ShowWindow(hwnd, command) : FALSE;
}

BOOL CZVWnd::UpdateWindow()
{
    return hwnd ? ::UpdateWindow(hwnd) : FALSE;
}

BOOL CZVWnd::InvalidateRect(const RECT* rect, bool erase)
{
    return hwnd ? ::InvalidateRect(hwnd, rect, erase) : FALSE;
}

HWND CZVWnd::SetActiveWindow()
{
    return hwnd ? ::SetActiveWindow(hwnd) : ::GetActiveWindow();
}

BOOL CZVWnd::SetForegroundWindow()
{
    return hwnd ? ::SetForegroundWindow(hwnd) : FALSE;
}

HWND CZVWnd::SetFocus()
{
    return hwnd ? ::SetFocus(hwnd) : ::GetFocus();
}

BOOL CZVWnd::CenterWindow()
{
    if (hwnd == nullptr)
        return FALSE;
    int fullWidth = GetSystemMetrics(SM_CXFULLSCREEN);
    int fullHeight = GetSystemMetrics(SM_CYFULLSCREEN);
    RECT frame;
    if (!GetWindowRect(&frame))
        return FALSE;
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    return MoveWindow((fullWidth - width) / 2, (fullHeight - height) / 2, width, height, true);
}

BOOL CZVWnd::GetWindowRect(RECT* rect)
{
    return hwnd ? ::GetWindowRect(hwnd, rect) : FALSE;
}

BOOL CZVWnd::GetClientRect(RECT* rect)
{
    return hwnd ? ::GetClientRect(hwnd, rect) : FALSE;
}

BOOL CZVWnd::ClientToScreen(POINT* point)
{
    return hwnd ? ::ClientToScreen(hwnd, point) : FALSE;
}

BOOL CZVWnd::ClientToScreen(RECT* rect)
{
    if (hwnd == nullptr)
        return FALSE;
    BOOL topLeft = ::ClientToScreen(hwnd, reinterpret_cast<POINT*>(&rect->left));
    BOOL bottomRight = ::ClientToScreen(hwnd, reinterpret_cast<POINT*>(&rect->right));
    return topLeft && bottomRight;
}

BOOL CZVWnd::ScreenToClient(POINT* point)
{
    return hwnd ? ::ScreenToClient(hwnd, point) : FALSE;
}

BOOL CZVWnd::ScreenToClient(RECT* rect)
{
    if (hwnd == nullptr)
        return FALSE;
    BOOL topLeft = ::ScreenToClient(hwnd, reinterpret_cast<POINT*>(&rect->left));
    BOOL bottomRight = ::ScreenToClient(hwnd, reinterpret_cast<POINT*>(&rect->right));
    return topLeft && bottomRight;
}

HDC CZVWnd::GetDC()
{
    return ::GetDC(hwnd);
}

HDC CZVWnd::GetWindowDC()
{
    return ::GetWindowDC(hwnd);
}

int CZVWnd::ReleaseDC(HDC dc)
{
    return dc ? ::ReleaseDC(hwnd, dc) : 0;
}

BOOL CZVWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return hwnd ? ::PostMessageA(hwnd, message, wParam, lParam) : FALSE;
}

LRESULT CZVWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return hwnd ? ::SendMessageA(hwnd, message, wParam, lParam) : 0;
}

int CZVWnd::GetWindowTextLength()
{
    return hwnd ? static_cast<int>(ProgramWindowText(hwnd).size()) : 0;
}

int CZVWnd::GetWindowText(char* buffer, int maxCount)
{
    return hwnd ? GetProgramWindowText(hwnd, buffer, maxCount) : 0;
}

BOOL CZVWnd::SetWindowText(const char* format, ...)
{
    char text[1024] = ""; // wvsprintfA never writes more than 1024 bytes
    if (format != nullptr) {
        va_list args;
        va_start(args, format);
        wvsprintfA(text, format, args);
        va_end(args);
    }
    return SetProgramWindowText(hwnd, text);
}

BOOL CZVWnd::ReleaseCapture()
{
    return hwnd ? ::ReleaseCapture() : FALSE;
}

HWND CZVWnd::SetCapture()
{
    return hwnd ? ::SetCapture(hwnd) : ::GetCapture();
}

int CZVWnd::MessageBox(const char* text, const char* caption, UINT type)
{
    return ShowBox(hwnd, text, caption, type);
}

namespace {

CZVWnd::BOX_FUNCTION boxFunction = nullptr;

} // namespace

void CZVWnd::SetBoxFunction(BOX_FUNCTION function)
{
    boxFunction = function;
}

int CZVWnd::ShowBox(HWND owner, const char* text, const char* caption, UINT type)
{
    return boxFunction != nullptr ? boxFunction(owner, text, caption, type)
                                  : ShowProgramMessageBox(owner, text, caption, type);
}
