// CZVWnd: one object wraps one Win32 window. Created windows carry a pointer to their object and have their
// messages turned into virtual operations; attached windows (dialogs, controls) are only wrapped. Apart from
// creation and dispatch every operation is a thin wrapper that does nothing and returns 0 or null while the
// object has no window, unless its comment says otherwise.
//
// The object neither destroys nor unhooks its window: it must outlive the window it created.
#pragma once

#include "foundation/SystemApi.h"

class CZVWnd {
public:
    CZVWnd(); // no window; class "ZVWndClass"; empty title
    virtual ~CZVWnd();
    CZVWnd(const CZVWnd&) = delete;
    CZVWnd& operator=(const CZVWnd&) = delete;

    // Registers the class (an already registered class is used as it is) and creates the window from the
    // caller's record; a null class or name in the record means this object's. Null on failure. With a window
    // already bound, returns it and creates nothing.
    virtual HWND CreateEx(const CREATESTRUCTA& record);
    // A hidden captioned window whose client area is clientWidth x clientHeight, centred on the screen;
    // CW_USEDEFAULT as clientWidth leaves size and position to the system. Null on failure. With a window
    // already bound, returns it and creates nothing.
    virtual HWND Create(HINSTANCE instance, int clientWidth, int clientHeight);
    // Wraps an existing window without hooking it. A null window returns 0 and keeps the old one.
    virtual BOOL Attach(HWND window);
    virtual BOOL Destroy();
    virtual HWND GetHwnd();

    virtual HICON GetIcon(bool big);
    virtual HICON SetIcon(HICON icon, bool big); // returns the previous icon
    virtual HMENU GetMenu();
    virtual HMENU GetSystemMenu(bool revert);
    virtual BOOL SetMenu(HMENU menu);
    virtual HFONT GetFont();
    // Posts, not sends, WM_SETFONT: the font takes effect when the message loop runs. 1, or 0 without a window.
    virtual BOOL SetFont(HFONT font, bool redraw);
    virtual BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
    virtual BOOL MoveWindow(int x, int y, int width, int height, bool repaint);
    virtual BOOL ShowWindow(int command);
    virtual BOOL UpdateWindow();
    virtual BOOL InvalidateRect(const RECT* rect, bool erase);
    virtual HWND SetActiveWindow(); // without a window: the active window
    virtual BOOL SetForegroundWindow();
    virtual HWND SetFocus(); // without a window: the window with the focus
    // Centres the window, size unchanged, on the client area of a full-screen window.
    virtual BOOL CenterWindow();
    virtual BOOL GetWindowRect(RECT* rect);
    virtual BOOL GetClientRect(RECT* rect);
    virtual BOOL ClientToScreen(POINT* point);
    virtual BOOL ClientToScreen(RECT* rect); // both corners; true only when both converted
    virtual BOOL ScreenToClient(POINT* point);
    virtual BOOL ScreenToClient(RECT* rect); // both corners; true only when both converted
    virtual HDC GetDC(); // without a window: the screen DC
    virtual HDC GetWindowDC(); // without a window: the screen DC
    virtual int ReleaseDC(HDC dc);
    virtual BOOL PostMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // For messages without texts: the window's texts go through GetWindowText and SetWindowText.
    virtual LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual int GetWindowTextLength();
    virtual int GetWindowText(char* buffer, int maxCount);
    // Sets the title formatted with wvsprintfA, cut to 1023 bytes; a null format sets the empty text.
    virtual BOOL SetWindowText(const char* format, ...);
    virtual BOOL ReleaseCapture();
    virtual HWND SetCapture(); // without a window: the window that has the capture

    // The message dispatcher of created windows. A derived class handles its own messages and passes every
    // other one on to this, which passes what it does not handle to DefProgramWindowProc. On the NT family the
    // window is a Unicode window: the record of OnCreate and the texts of its messages are UTF-16 there.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnCreate(CREATESTRUCTA* record); // 1: creation goes on
    virtual void OnDestroy(); // ends the message loop
    virtual void OnPaint(HDC dc);
    virtual LRESULT OnSetCursor(LPARAM lParam);
    virtual void OnNotify(WPARAM wParam, LPARAM lParam);
    virtual void PreCreateWindow(CREATESTRUCTA* record); // may change any field just before creation
    virtual void PreRegisterClass(WNDCLASSEXA* windowClass); // may change any field just before registration
    // Every message box of the program goes through this, owned by this window (no owner without one).
    virtual int MessageBox(const char* text, const char* caption, UINT type);

    // How every box is shown: ShowProgramMessageBox unless the application puts another way in its place (an unattended
    // run writes the box to its report and takes the answer that stops).
    typedef int (*BOX_FUNCTION)(HWND owner, const char* text, const char* caption, UINT type);
    static void SetBoxFunction(BOX_FUNCTION function);
    static int ShowBox(HWND owner, const char* text, const char* caption, UINT type);

protected:
    HWND hwnd; // never cleared once set, even after the window is destroyed
    HINSTANCE hInstance; // the instance of the last create call
    WPARAM lastWParam; // of the message being dispatched (not of WM_NCCREATE)
    LPARAM lastLParam;
    char className[80];
    char windowTitle[80];

private:
    bool RegisterWindowClass(HINSTANCE instance);
    static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
