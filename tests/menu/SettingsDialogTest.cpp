// The settings dialog in this process: the test thread runs it as the install sequence does, a driver thread
// finds it, reads its controls and works them as a user would (radio buttons, check boxes, the free-space
// question, the folder browser).
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <functional>
#include <memory>
#include <string>

#include "resources/resource.h"
#include "script/ScriptParser.h"
#include "startup/InstallApp.h"
#include "foundation/WindowsVersion.h"
#include "tests/TestFiles.h"
#include "ui/MainWnd.h"

namespace {

const DWORD kWaitMs = 10000;

struct DIALOG_QUERY {
    const char* caption; // null: any caption
    HWND exclude;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM queryAddress)
{
    DIALOG_QUERY* query = reinterpret_cast<DIALOG_QUERY*>(queryAddress);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64] = "", caption[256] = "";
    GetClassNameA(window, className, sizeof(className));
    GetWindowTextA(window, caption, sizeof(caption));
    if (process != GetCurrentProcessId() || lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window)
        || window == query->exclude || (query->caption != nullptr && lstrcmpA(caption, query->caption) != 0))
        return TRUE;
    query->found = window;
    return FALSE;
}

// A visible dialog-class window of this process with the caption (any but exclude for a null caption).
HWND WaitForDialog(const char* caption, HWND exclude = nullptr)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs; Sleep(20)) {
        DIALOG_QUERY query = {caption, exclude, nullptr};
        EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&query));
        if (query.found != nullptr)
            return query.found;
    }
    return nullptr;
}

bool WaitUntilGone(HWND window)
{
    for (DWORD start = GetTickCount(); IsWindow(window) && IsWindowVisible(window); Sleep(20)) {
        if (GetTickCount() - start >= kWaitMs)
            return false;
    }
    return true;
}

std::string ItemText(HWND dialog, int id)
{
    char text[1024] = "";
    GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}

bool Shown(HWND dialog, int id) // the control's own flag
{
    return (GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool Enabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

bool Checked(HWND dialog, int id)
{
    return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Clicks as the mouse does and returns once the dialog has handled it.
void Click(HWND dialog, int id)
{
    SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
}

// Presses without waiting: what the button starts (a message box, the browser) runs in the dialog's thread.
void Press(HWND window, int id)
{
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

DWORD WINAPI RunSteps(void* steps)
{
    HWND dialog = WaitForDialog("セットアップの設定");
    if (dialog == nullptr) {
        ADD_FAILURE() << "the settings dialog did not appear";
        return 0;
    }
    (*static_cast<std::function<void(HWND)>*>(steps))(dialog);
    // Whatever the steps leave open is cancelled, so that a failing test does not hang.
    if (!WaitUntilGone(dialog)) {
        ADD_FAILURE() << "the steps left the dialog open";
        DIALOG_QUERY query = {nullptr, dialog, nullptr}; // a box or the browser over it
        EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&query));
        if (query.found != nullptr) {
            Press(query.found, IDCANCEL);
            WaitUntilGone(query.found);
        }
        Press(dialog, IDCANCEL);
    }
    return 0;
}

class SettingsDialogTest : public ::testing::Test {
protected:
    void Describe(const std::string& lines)
    {
        std::string script = "$gametitle = 献立表\r\n$installsubdir = 献立表\r\n" + lines;
        window.reset(new CMainWnd());
        SCRIPT_ERROR error;
        ASSERT_TRUE(ParseInstallScript(CZVString(script.c_str()), window.get(), &error)) << error.message;
        window->RestoreSettings();
    }

    // Runs the dialog as the install sequence does while a thread of its own works it through the steps.
    INT_PTR RunDialog(std::function<void(HWND dialog)> steps)
    {
        HANDLE thread = CreateThread(nullptr, 0, RunSteps, &steps, 0, nullptr);
        INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SETTINGS), nullptr,
            CMainWnd::SettingsDialogProc, reinterpret_cast<LPARAM>(window.get()));
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        return result;
    }

    static bool OffersAllUsers() { return GetApp()->CheckWindowsVersion(kRefuseFamily, kWindows2000); }

    std::unique_ptr<CMainWnd> window;
};

// Three types, a script type out of range, both shortcut boxes and all users: what the dialog shows, that "次へ"
// waits for a type, that cancel writes nothing, and what a second run writes back after the user's choices.
TEST_F(SettingsDialogTest, ShowsTheScriptsChoicesAndWritesTheUsers)
{
    Describe("$installtypecount = 3\r\n$installtypename = 完全,標準,最小\r\n$installrequire = 700,300,1\r\n"
             "$installdir = C:\\Games\r\n$desktopshortcut = yes\r\n$startmenushortcut = yes\r\n"
             "$allowalluser = yes\r\n");
    window->settings.installtype = 5; // beyond the three types: none is chosen at first
    window->hasAdminRights = true;
    const INSTALL_SETTINGS before = window->settings;

    EXPECT_EQ(2, RunDialog([&](HWND dialog) {
        EXPECT_EQ("完全 --約700MB", ItemText(dialog, IDC_TYPE_FIRST));
        EXPECT_EQ("標準 --約300MB", ItemText(dialog, IDC_TYPE_FIRST + 1));
        EXPECT_EQ("最小 --約1MB", ItemText(dialog, IDC_TYPE_FIRST + 2));
        for (int i = 0; i < kMaxInstallTypes; i++) {
            EXPECT_EQ(i < 3, Shown(dialog, IDC_TYPE_FIRST + i)) << "radio " << i;
            EXPECT_FALSE(Checked(dialog, IDC_TYPE_FIRST + i)) << "radio " << i;
        }
        EXPECT_EQ("C:\\Games\\献立表", ItemText(dialog, IDC_INSTALL_DIR));
        EXPECT_TRUE(Enabled(dialog, IDC_DESKTOP_SHORTCUT));
        EXPECT_FALSE(Checked(dialog, IDC_DESKTOP_SHORTCUT)) << "offered, not ticked";
        EXPECT_TRUE(Enabled(dialog, IDC_STARTMENU_SHORTCUT));
        EXPECT_TRUE(Checked(dialog, IDC_STARTMENU_SHORTCUT));
        EXPECT_EQ(OffersAllUsers(), Shown(dialog, IDC_ALL_USERS));
        EXPECT_FALSE(Checked(dialog, IDC_ALL_USERS));
        EXPECT_NE(0, GetWindowLongA(GetDlgItem(dialog, IDC_INSTALL_DIR), GWL_STYLE) & ES_READONLY);

        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "no type chosen: 次へ does nothing";
        Click(dialog, IDC_TYPE_FIRST + 2);
        Press(dialog, IDCANCEL);
    }));
    EXPECT_EQ(0, memcmp(&before, &window->settings, sizeof(before))) << "cancel writes nothing";

    EXPECT_EQ(1, RunDialog([&](HWND dialog) {
        EXPECT_FALSE(Checked(dialog, IDC_TYPE_FIRST + 2)) << "a new dialog starts from the settings";
        Click(dialog, IDC_TYPE_FIRST + 2);
        Click(dialog, IDC_TYPE_FIRST + 1);
        EXPECT_FALSE(Checked(dialog, IDC_TYPE_FIRST + 2)) << "one type at a time";
        Click(dialog, IDC_DESKTOP_SHORTCUT);
        Click(dialog, IDC_STARTMENU_SHORTCUT);
        if (OffersAllUsers())
            Click(dialog, IDC_ALL_USERS);
        Press(dialog, IDOK);
    }));
    EXPECT_EQ(1, window->settings.installtype);
    EXPECT_STREQ("C:\\Games", window->settings.installdir) << "the base folder, without the sub-folder";
    EXPECT_TRUE(window->settings.desktopshortcut);
    EXPECT_FALSE(window->settings.startmenushortcut);
    EXPECT_EQ(OffersAllUsers(), window->settings.forAllUsers);
    EXPECT_STREQ("献立表", window->settings.installsubdir);
}

// A type that needs more than the disk has: the question is owned by the dialog, cancel keeps the dialog open and
// the settings as they were; a folder picked in the browser replaces the proposed one; OK accepts the lack of
// space. Disabled shortcut boxes and a hidden all-users box read false.
TEST_F(SettingsDialogTest, AsksAboutSpaceAndTakesTheBrowsedFolder)
{
    TestFolder folder;
    std::string proposed = folder.Path("");
    proposed.pop_back(); // the base folder is kept without its trailing backslash
    // The browser starts at the desktop: a folder of our own there is reached by typing its name into the tree.
    char desktop[MAX_PATH] = "";
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, TRUE));
    // Unique to the process: the desktop of the test prefix may be a folder that other prefixes share.
    std::string name = "ZVBrowsePick" + std::to_string(GetCurrentProcessId());
    std::string picked = std::string(desktop) + "\\" + name;
    CreateDirectoryA(picked.c_str(), nullptr);
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(picked.c_str()));

    Describe("$installtypecount = 2\r\n$installtypename = 巨大,小\r\n$installrequire = 2000000000,1\r\n"
             "$installdir = "
        + proposed + "\r\n$allowalluser = yes\r\n");
    window->hasAdminRights = false;
    window->settings.forAllUsers = true; // only the dialog decides it, from a box that is hidden here
    const INSTALL_SETTINGS before = window->settings;

    std::string browsedText;
    EXPECT_EQ(1, RunDialog([&](HWND dialog) {
        EXPECT_TRUE(Checked(dialog, IDC_TYPE_FIRST)) << "the script's type";
        EXPECT_FALSE(Enabled(dialog, IDC_DESKTOP_SHORTCUT));
        EXPECT_FALSE(Enabled(dialog, IDC_STARTMENU_SHORTCUT));
        EXPECT_FALSE(Shown(dialog, IDC_ALL_USERS)) << "no administrator";

        Press(dialog, IDOK);
        HWND box = WaitForDialog("警告");
        ASSERT_NE(nullptr, box);
        EXPECT_EQ("必要な容量に足りませんがインストールしますか？", ItemText(box, 0xFFFF));
        EXPECT_EQ(dialog, GetWindow(box, GW_OWNER));
        EXPECT_FALSE(IsWindowEnabled(dialog)) << "modal to the dialog";
        Press(box, IDCANCEL);
        ASSERT_TRUE(WaitUntilGone(box));
        SendMessageA(dialog, WM_NULL, 0, 0);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "cancel keeps the dialog open";
        EXPECT_EQ(0, memcmp(&before, &window->settings, sizeof(before)));

        Press(dialog, IDC_BROWSE);
        HWND browser = WaitForDialog(nullptr, dialog);
        ASSERT_NE(nullptr, browser);
        EXPECT_EQ(dialog, GetWindow(browser, GW_OWNER));
        HWND tree = FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
        ASSERT_NE(nullptr, tree);
        // The desktop is the root; typing selects the first item below it whose name begins so (Wine's tree
        // ignores letters without a repeat count).
        SendMessageA(tree, WM_KEYDOWN, VK_HOME, 1);
        for (const char* letter = name.c_str(); *letter != '\0'; letter++)
            SendMessageA(tree, WM_CHAR, static_cast<WPARAM>(*letter), 1);
        Press(browser, IDOK);
        ASSERT_TRUE(WaitUntilGone(browser));
        SendMessageA(dialog, WM_NULL, 0, 0);
        browsedText = ItemText(dialog, IDC_INSTALL_DIR);

        Press(dialog, IDOK);
        box = WaitForDialog("警告");
        ASSERT_NE(nullptr, box);
        Press(box, IDOK);
    }));
    RemoveDirectoryA(picked.c_str());
    EXPECT_EQ(picked + "\\献立表", browsedText);
    EXPECT_EQ(picked, window->settings.installdir);
    EXPECT_EQ(0, window->settings.installtype);
    EXPECT_FALSE(window->settings.desktopshortcut);
    EXPECT_FALSE(window->settings.startmenushortcut);
    if (OffersAllUsers()) {
        EXPECT_FALSE(window->settings.forAllUsers) << "a hidden box reads unchecked";
    }
}

} // namespace
