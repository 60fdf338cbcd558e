// The window wrapper: creation and registration, the dispatch of messages, and its wrappers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/frame/MessageBoxWatcher.h"
#include "ui/ZVWnd.h"

namespace {

HINSTANCE ThisModule()
{
    return GetModuleHandleA(nullptr);
}

void DrainMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Destroys the window at the end of a test and takes the WM_QUIT that OnDestroy posts.
class ScopedWindow {
public:
    explicit ScopedWindow(CZVWnd& window)
        : m_window(window)
    {
    }
    ~ScopedWindow()
    {
        if (IsWindow(m_window.GetHwnd()))
            m_window.Destroy();
        DrainMessages();
    }

private:
    CZVWnd& m_window;
};

// Records every message that reaches the object.
class RecordingWnd : public CZVWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        seen.push_back(message);
        return CZVWnd::WindowProc(message, wParam, lParam);
    }
    LRESULT OnCreate(CREATESTRUCTA* record) override
    {
        createParam = record->lpCreateParams;
        return CZVWnd::OnCreate(record);
    }
    std::vector<UINT> seen;
    void* createParam = nullptr;
};

// Every message the system sends to windows of this thread, in order.
std::vector<UINT>* g_sentMessages = nullptr;

LRESULT CALLBACK RecordSent(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && g_sentMessages)
        g_sentMessages->push_back(reinterpret_cast<CWPSTRUCT*>(lParam)->message);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

size_t IndexOf(const std::vector<UINT>& messages, UINT message)
{
    for (size_t i = 0; i < messages.size(); i++) {
        if (messages[i] == message)
            return i;
    }
    return messages.size();
}

} // namespace

TEST(ZVWnd, CreateMakesACentredHiddenWindowOfTheDefaultClass)
{
    CZVWnd window;
    ScopedWindow cleanup(window);
    HWND created = window.Create(ThisModule(), 240, 240);
    ASSERT_NE(nullptr, created);
    EXPECT_EQ(created, window.GetHwnd());

    char className[80] = "";
    GetClassNameA(created, className, sizeof(className));
    EXPECT_STREQ("ZVWndClass", className);
    EXPECT_FALSE(IsWindowVisible(created));
    EXPECT_EQ(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
        GetWindowLongA(created, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(
        static_cast<DWORD>(CS_VREDRAW | CS_HREDRAW | CS_OWNDC | CS_BYTEALIGNCLIENT), GetClassLongA(created, GCL_STYLE));

    RECT client, frame;
    window.GetClientRect(&client);
    window.GetWindowRect(&frame);
    EXPECT_EQ(240, client.right);
    EXPECT_EQ(240, client.bottom);
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2, frame.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2, frame.top);
}

TEST(ZVWnd, SecondCreateReturnsTheSameWindow)
{
    CZVWnd window;
    ScopedWindow cleanup(window);
    HWND first = window.Create(ThisModule(), 200, 150);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, window.Create(ThisModule(), 300, 300));
    RECT client;
    window.GetClientRect(&client);
    EXPECT_EQ(200, client.right) << "the second call created or changed nothing";
}

TEST(ZVWnd, TwoObjectsShareTheDefaultClass)
{
    CZVWnd first, second;
    ScopedWindow cleanupFirst(first), cleanupSecond(second);
    ASSERT_NE(nullptr, first.Create(ThisModule(), 50, 50));
    ASSERT_NE(nullptr, second.Create(ThisModule(), 50, 50)) << "the class already registered is used";
    EXPECT_NE(first.GetHwnd(), second.GetHwnd());

    CZVWnd third;
    ScopedWindow cleanupThird(third);
    CREATESTRUCTA record = {};
    record.hInstance = ThisModule();
    record.style = WS_OVERLAPPEDWINDOW;
    record.cx = record.cy = 60;
    EXPECT_NE(nullptr, third.CreateEx(record)) << "CreateEx accepts the registered class too";
}

TEST(ZVWnd, MessagesBeforeNcCreateGoToTheDefaultProcedure)
{
    std::vector<UINT> sent;
    g_sentMessages = &sent;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordSent, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    RecordingWnd window;
    ScopedWindow cleanup(window);
    HWND created = window.Create(ThisModule(), 120, 120);
    UnhookWindowsHookEx(hook);
    g_sentMessages = nullptr;
    ASSERT_NE(nullptr, created);

    size_t minMax = IndexOf(sent, WM_GETMINMAXINFO);
    size_t ncCreate = IndexOf(sent, WM_NCCREATE);
    ASSERT_LT(ncCreate, sent.size());
    ASSERT_LT(minMax, ncCreate) << "the system sends WM_GETMINMAXINFO before WM_NCCREATE";
    ASSERT_FALSE(window.seen.empty());
    EXPECT_EQ(static_cast<UINT>(WM_NCCREATE), window.seen.front()) << "nothing reached the object before it";
    EXPECT_LT(IndexOf(window.seen, WM_NCCREATE), IndexOf(window.seen, WM_CREATE));
    EXPECT_EQ(&window, window.createParam) << "the create record carries the object";
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&window), GetWindowLongPtrA(created, 0));
}

TEST(ZVWnd, DestroyingTheWindowEndsTheMessageLoop)
{
    CZVWnd window;
    ASSERT_NE(nullptr, window.Create(ThisModule(), 50, 50));
    HWND created = window.GetHwnd();
    EXPECT_TRUE(window.Destroy());
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(created, window.GetHwnd()) << "the stale handle is kept";
    EXPECT_FALSE(window.Destroy());
}

TEST(ZVWnd, SetWindowTextFormatsClearsAndCuts)
{
    CZVWnd window;
    ScopedWindow cleanup(window);
    ASSERT_NE(nullptr, window.Create(ThisModule(), 50, 50));
    char title[2100];

    EXPECT_TRUE(window.SetWindowText("%sセットアップメニュー", "ゲーム"));
    window.GetWindowText(title, sizeof(title));
    EXPECT_STREQ("ゲームセットアップメニュー", title);

    EXPECT_TRUE(window.SetWindowText(nullptr));
    EXPECT_EQ(0, window.GetWindowTextLength());

    std::string longText(2000, 'x');
    EXPECT_TRUE(window.SetWindowText("%s", longText.c_str()));
    EXPECT_EQ(1023, window.GetWindowTextLength());
    EXPECT_TRUE(window.SetWindowText(longText.c_str()));
    EXPECT_EQ(1023, window.GetWindowText(title, sizeof(title)));
}

TEST(ZVWnd, SetFontPostsSoTheFontArrivesWithTheLoop)
{
    CZVWnd parent;
    ScopedWindow cleanup(parent);
    ASSERT_NE(nullptr, parent.Create(ThisModule(), 100, 100));
    CZVWnd button;
    ASSERT_TRUE(button.Attach(
        CreateWindowExA(0, "BUTTON", "OK", WS_CHILD, 0, 0, 50, 20, parent.GetHwnd(), nullptr, ThisModule(), nullptr)));
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    ASSERT_NE(font, button.GetFont());

    EXPECT_TRUE(button.SetFont(font, false));
    EXPECT_NE(font, button.GetFont()) << "not sent: still waiting in the queue";
    DrainMessages();
    EXPECT_EQ(font, button.GetFont());
}

TEST(ZVWnd, AttachWrapsWithoutHooking)
{
    CZVWnd parent;
    ScopedWindow cleanup(parent);
    ASSERT_NE(nullptr, parent.Create(ThisModule(), 100, 100));
    HWND edit
        = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 50, 20, parent.GetHwnd(), nullptr, ThisModule(), nullptr);
    WNDPROC before = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit, GWLP_WNDPROC));

    CZVWnd wrapper;
    EXPECT_TRUE(wrapper.Attach(edit));
    EXPECT_FALSE(wrapper.Attach(nullptr));
    EXPECT_EQ(edit, wrapper.GetHwnd()) << "a null handle keeps the old one";
    EXPECT_EQ(before, reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit, GWLP_WNDPROC)));
    wrapper.SetWindowText("%d", 42);
    char text[16] = "";
    GetWindowTextA(edit, text, sizeof(text));
    EXPECT_STREQ("42", text);
}

TEST(ZVWnd, WrappersWithoutAWindowDoNothing)
{
    CZVWnd unbound;
    RECT rect = {1, 2, 3, 4};
    POINT point = {5, 6};
    char text[8] = "keep";
    EXPECT_EQ(nullptr, unbound.GetHwnd());
    EXPECT_FALSE(unbound.Destroy());
    EXPECT_EQ(nullptr, unbound.GetIcon(true));
    EXPECT_EQ(nullptr, unbound.GetMenu());
    EXPECT_EQ(nullptr, unbound.GetFont());
    EXPECT_FALSE(unbound.SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), true));
    EXPECT_FALSE(unbound.ShowWindow(SW_SHOW));
    EXPECT_FALSE(unbound.CenterWindow());
    EXPECT_FALSE(unbound.GetWindowRect(&rect));
    EXPECT_FALSE(unbound.ClientToScreen(&rect));
    EXPECT_FALSE(unbound.ScreenToClient(&point));
    EXPECT_EQ(1, rect.left);
    EXPECT_EQ(5, point.x);
    EXPECT_FALSE(unbound.PostMessage(WM_NULL, 0, 0));
    EXPECT_EQ(0, unbound.SendMessage(WM_GETTEXTLENGTH, 0, 0));
    EXPECT_EQ(0, unbound.GetWindowText(text, sizeof(text)));
    EXPECT_STREQ("keep", text);
    EXPECT_EQ(GetFocus(), unbound.SetFocus());
    EXPECT_EQ(GetActiveWindow(), unbound.SetActiveWindow());
    EXPECT_EQ(0, unbound.ReleaseDC(nullptr));
    HDC screen = unbound.GetDC();
    EXPECT_NE(nullptr, screen) << "the screen DC";
    EXPECT_EQ(1, unbound.ReleaseDC(screen));
}

TEST(ZVWnd, CenterWindowUsesTheFullScreenClientArea)
{
    CZVWnd window;
    ScopedWindow cleanup(window);
    ASSERT_NE(nullptr, window.Create(ThisModule(), 200, 100));
    ASSERT_TRUE(window.MoveWindow(3, 4, 250, 150, false));
    ASSERT_TRUE(window.CenterWindow());
    RECT frame;
    window.GetWindowRect(&frame);
    EXPECT_EQ((GetSystemMetrics(SM_CXFULLSCREEN) - 250) / 2, frame.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYFULLSCREEN) - 150) / 2, frame.top);
    EXPECT_EQ(250, frame.right - frame.left);
    EXPECT_EQ(150, frame.bottom - frame.top);

    RECT client = {0, 0, 10, 20};
    ASSERT_TRUE(window.ClientToScreen(&client));
    ASSERT_TRUE(window.ScreenToClient(&client));
    EXPECT_EQ(0, client.left);
    EXPECT_EQ(20, client.bottom);
}

TEST(ZVWnd, IconsAreSetAndReadBack)
{
    CZVWnd window;
    ScopedWindow cleanup(window);
    ASSERT_NE(nullptr, window.Create(ThisModule(), 50, 50));
    HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
    EXPECT_EQ(nullptr, window.SetIcon(icon, true));
    EXPECT_EQ(icon, window.GetIcon(true));
    EXPECT_EQ(nullptr, window.GetIcon(false));
}

TEST(ZVWnd, MessageBoxIsOwnedByTheWindow)
{
    CZVWnd window;
    ScopedWindow cleanup(window);
    ASSERT_NE(nullptr, window.Create(ThisModule(), 50, 50));
    MessageBoxWatcher watcher(IDCANCEL);
    EXPECT_EQ(IDCANCEL, window.MessageBox("インストールしますか？", "確認", MB_OKCANCEL | MB_ICONQUESTION));
    ASSERT_TRUE(watcher.Wait());
    EXPECT_EQ(window.GetHwnd(), watcher.owner);
    EXPECT_EQ("確認", watcher.caption);
    EXPECT_EQ("インストールしますか？", watcher.text);
}
