// The menu window in this process: built from a script text, its sub-form's buttons read back, the install state
// from a private registry key that each test removes again, and the real message boxes read by a watcher.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "foundation/RegProfile.h"
#include "resources/resource.h"
#include "script/ScriptParser.h"
#include "tests/TestFiles.h"
#include "tests/frame/MessageBoxWatcher.h"
#include "ui/MainWnd.h"

namespace {

const char kRegistryRoot[] = "ZVMenuTest";

// A window whose protected parts a test may look at.
class CTestMainWnd : public CMainWnd {
public:
    HBITMAP Splash() const { return splashBitmap; }
};

// An uncompressed 24-bit picture of width x height in one colour.
std::string MakeBitmapFile(int width, int height)
{
    int rowBytes = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + rowBytes * height;
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    bytes.append(static_cast<size_t>(rowBytes) * height, '\x40');
    return bytes;
}

// A private folder made current for the test, and the title's registry key removed before and after.
class MenuWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        GetCurrentDirectoryA(sizeof(m_previousDir), m_previousDir);
        SetCurrentDirectoryA(folder.Path("").c_str());
        RemoveRegistryKeys();
    }
    void TearDown() override
    {
        if (window != nullptr && IsWindow(window->GetHwnd()))
            DestroyWindow(window->GetHwnd());
        DrainMessages();
        RemoveRegistryKeys();
        SetCurrentDirectoryA(m_previousDir);
    }

    static void RemoveRegistryKeys()
    {
        CRegProfile profile;
        if (profile.Open(nullptr)) {
            profile.DeleteTree(kRegistryRoot);
            profile.Close();
        }
    }

    // The install folder value under the current user's key of the title "Title".
    static void WriteInstallDir(const std::string& value)
    {
        CRegProfile profile;
        ASSERT_TRUE(profile.Create((std::string(kRegistryRoot) + "\\Title").c_str()));
        EXPECT_TRUE(profile.SetString("InstallDir", value.c_str()));
        profile.Close();
    }

    // Handles what the window posted (WM_QUIT of a destroyed window included) without ending anything.
    static void DrainMessages()
    {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message != WM_QUIT)
                DispatchMessageA(&message);
        }
    }

    // Parses the script lines (the registry settings are added) into a new window object.
    void Describe(const std::string& lines)
    {
        std::string script = "$gametitle = 献立表\r\n$installtypecount = 1\r\n$registryroot = ZVMenuTest\r\n"
                             "$registrykey = Title\r\n$registryinstalldirvalue = InstallDir\r\n"
            + lines;
        window.reset(new CTestMainWnd());
        SCRIPT_ERROR error;
        ASSERT_TRUE(ParseInstallScript(CZVString(script.c_str()), window.get(), &error)) << error.message;
    }

    // Creates the window as the start step does.
    HWND CreateMenu()
    {
        HWND created = window->Create(GetModuleHandleA(nullptr), 240, 240);
        if (created != nullptr)
            subForm = FindWindowExA(created, nullptr, "#32770", nullptr);
        DrainMessages();
        return created;
    }

    // A button's rectangle in the sub-form's client coordinates.
    RECT ButtonRect(int id)
    {
        RECT rect = {};
        GetWindowRect(GetDlgItem(subForm, id), &rect);
        MapWindowPoints(nullptr, subForm, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    std::string ButtonText(int id)
    {
        char text[256] = "";
        GetWindowTextA(GetDlgItem(subForm, id), text, sizeof(text));
        return text;
    }

    std::string WindowTitle()
    {
        char text[256] = "";
        GetWindowTextA(window->GetHwnd(), text, sizeof(text));
        return text;
    }

    // The button's own visibility: the main window itself is not shown in these tests.
    bool Visible(int id) { return (GetWindowLongA(GetDlgItem(subForm, id), GWL_STYLE) & WS_VISIBLE) != 0; }
    bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(subForm, id)) != FALSE; }

    TestFolder folder;
    TestFolder m_elsewhere; // a current directory that is not the install folder
    std::unique_ptr<CTestMainWnd> window;
    HWND subForm = nullptr;

private:
    char m_previousDir[MAX_PATH] = "";
};

TEST_F(MenuWindowTest, ExtraButtonsFollowTheScript)
{
    WriteBytes(folder.Path("splash.bmp"), MakeBitmapFile(300, 220));
    WriteBytes(folder.Path("tool.exe"), "x");
    WriteBytes(folder.Path("two.exe"), "x");
    WriteBytes(folder.Path("last.exe"), "x");
    Describe("$directxrequire = 0\r\n"
             "$cmd = tool.exe,道具,no\r\n"
             "$cmd = missing.exe,ない,no\r\n"
             "$cmd = two.exe,説明書を\\n読む,no\r\n"
             "$cmd = last.exe,最後,yes\r\n");
    ASSERT_NE(nullptr, CreateMenu());
    ASSERT_NE(nullptr, subForm);

    EXPECT_EQ("献立表セットアップメニュー", WindowTitle());
    EXPECT_FALSE(Visible(IDC_DIRECTX)) << "no DirectX requirement";
    // The ids count only the buttons that exist.
    EXPECT_EQ(2000, window->commands[0].buttonId);
    EXPECT_EQ(0, window->commands[1].buttonId);
    EXPECT_EQ(2001, window->commands[2].buttonId);
    EXPECT_EQ(2002, window->commands[3].buttonId);
    EXPECT_EQ(nullptr, GetDlgItem(subForm, 2003));

    RECT launch = ButtonRect(IDC_LAUNCH);
    RECT install = ButtonRect(IDC_INSTALL);
    RECT directX = ButtonRect(IDC_DIRECTX);
    int height = launch.bottom - launch.top;
    int pitch = install.top - launch.top;
    RECT tool = ButtonRect(2000), two = ButtonRect(2001), last = ButtonRect(2002), quit = ButtonRect(IDC_QUIT);
    EXPECT_EQ(directX.top, tool.top) << "the first extra button takes the DirectX row";
    EXPECT_EQ(launch.left, tool.left);
    EXPECT_EQ(launch.right, tool.right);
    EXPECT_EQ(tool.top + pitch, two.top);
    EXPECT_EQ(2 * height, two.bottom - two.top) << "two lines, double height";
    EXPECT_EQ(two.top + height + pitch, last.top) << "the rest moves down by one height";
    EXPECT_EQ(height, last.bottom - last.top);
    EXPECT_EQ(last.top + pitch, quit.top) << "quit under the extra buttons";
    EXPECT_EQ(launch.left, quit.left);
    EXPECT_EQ(height, quit.bottom - quit.top);

    EXPECT_EQ("道具", ButtonText(2000));
    EXPECT_EQ("説明書を\r\n読む", ButtonText(2001));
    LONG twoStyle = GetWindowLongA(GetDlgItem(subForm, 2001), GWL_STYLE);
    EXPECT_EQ(BS_OWNERDRAW, twoStyle & BS_TYPEMASK);
    EXPECT_NE(BS_OWNERDRAW, GetWindowLongA(GetDlgItem(subForm, 2000), GWL_STYLE) & BS_TYPEMASK);
    EXPECT_TRUE(Visible(2001));

    // The splash picture on the left, the sub-form on its right over the whole height.
    RECT client = {}, subFormRect = {};
    GetClientRect(window->GetHwnd(), &client);
    GetWindowRect(subForm, &subFormRect);
    int subFormWidth = subFormRect.right - subFormRect.left;
    EXPECT_EQ(300 + subFormWidth, client.right);
    EXPECT_EQ(220, client.bottom);
    POINT corner = {subFormRect.left, subFormRect.top};
    ScreenToClient(window->GetHwnd(), &corner);
    EXPECT_EQ(300, corner.x);
    EXPECT_EQ(0, corner.y);
    EXPECT_NE(nullptr, window->GetIcon(true));
}

TEST_F(MenuWindowTest, DirectXRequirementKeepsItsButton)
{
    WriteBytes(folder.Path("splash.bmp"), MakeBitmapFile(60, 60));
    WriteBytes(folder.Path("tool.exe"), "x");
    // DSetup.dll is missing on this "disc": the state reading says so and the menu still comes up.
    Describe("$directxrequire = 7\r\n$cmd = tool.exe,道具,no\r\n");
    MessageBoxWatcher watcher;
    ASSERT_NE(nullptr, CreateMenu());
    ASSERT_TRUE(watcher.Wait());
    EXPECT_EQ("DSetup.dllがロードできません", watcher.text);
    EXPECT_EQ("失敗", watcher.caption);
    EXPECT_EQ(window->GetHwnd(), watcher.owner);
    EXPECT_TRUE(window->isDirectXReady) << "the registry answers in the library's place: Wine records DirectX 9";

    EXPECT_TRUE(Visible(IDC_DIRECTX));
    EXPECT_EQ(
        ButtonRect(IDC_DIRECTX).top + (ButtonRect(IDC_INSTALL).top - ButtonRect(IDC_LAUNCH).top), ButtonRect(2000).top);
    // A small picture: the window keeps its minimum size.
    RECT client = {}, subFormRect = {};
    GetClientRect(window->GetHwnd(), &client);
    GetWindowRect(subForm, &subFormRect);
    EXPECT_EQ(120 + subFormRect.right - subFormRect.left, client.right);
    EXPECT_EQ(200, client.bottom);
}

TEST_F(MenuWindowTest, RunFromTheInstallFolderNoFileOfTheDiscIsMissedAloud)
{
    // An uninstall from the Windows list: the program runs from the install folder, which has neither the picture
    // nor the DirectX library. A library planted there is never loaded: it would run with the installer's rights.
    WriteInstallDir(folder.Path(""));
    WriteBytes(folder.Path("DSetup.dll"), "MZ not a library");
    Describe("$directxrequire = 10\r\n");
    MessageBoxWatcher watcher(IDOK, 1500);
    ASSERT_NE(nullptr, CreateMenu());
    EXPECT_FALSE(watcher.Wait()) << watcher.caption << ": " << watcher.text;
    EXPECT_TRUE(window->isInstalled);
    EXPECT_TRUE(window->IsSourceInstalledCopy());
    EXPECT_FALSE(window->isDirectXReady) << "Wine records DirectX 9, below the requirement";
    EXPECT_TRUE(Visible(IDC_DIRECTX));
}

TEST_F(MenuWindowTest, MissingSplashIsReportedAndReplaced)
{
    Describe("");
    MessageBoxWatcher watcher;
    ASSERT_NE(nullptr, CreateMenu());
    ASSERT_TRUE(watcher.Wait());
    EXPECT_EQ("splash.bmpのロードに失敗しました", watcher.text);
    EXPECT_EQ("失敗", watcher.caption);

    BITMAP info = {};
    ASSERT_NE(0, GetObjectA(window->Splash(), sizeof(info), &info));
    EXPECT_EQ(320, info.bmWidth);
    EXPECT_EQ(256, info.bmHeight);
    RECT client = {};
    GetClientRect(window->GetHwnd(), &client);
    EXPECT_EQ(256, client.bottom);

    // The title is written in white on black in the top left corner.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, window->Splash());
    int white = 0, other = 0;
    for (int y = 0; y < 40; y++) {
        for (int x = 0; x < 200; x++) {
            COLORREF pixel = GetPixel(memory, x, y);
            if (pixel == RGB(255, 255, 255))
                white++;
            else if (pixel != RGB(0, 0, 0))
                other++;
        }
    }
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(memory, 319, 255)) << "the rest stays black";
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    EXPECT_GT(white, 20) << "the title is drawn";
}

TEST_F(MenuWindowTest, ScriptWithoutRegistrySettingsWarns)
{
    WriteBytes(folder.Path("splash.bmp"), MakeBitmapFile(200, 200));
    window.reset(new CTestMainWnd());
    SCRIPT_ERROR error;
    ASSERT_TRUE(
        ParseInstallScript(CZVString("$gametitle = 献立表\r\n$installtypecount = 1\r\n"), window.get(), &error));
    MessageBoxWatcher watcher;
    ASSERT_NE(nullptr, CreateMenu());
    ASSERT_TRUE(watcher.Wait());
    EXPECT_EQ("レジストリ設定情報がありません\n\"Install.ifo\"を確認してください", watcher.text);
    EXPECT_EQ("警告", watcher.caption);
    EXPECT_FALSE(window->isInstalled);
}

// The install state from the title's key under the current user, one case per row.
TEST_F(MenuWindowTest, InstallStateFromTheRegistry)
{
    std::string installDir = folder.Path("");
    WriteBytes(folder.Path("game.exe"), "x");
    struct {
        const char* proves;
        const char* executefile;
        std::string value; // "" writes no key
        bool installed;
        std::string installedDir;
    } const rows[] = {
        {"no key: not installed", "game.exe", "", false, ""},
        {"the folder and the game in it", "game.exe", installDir, true, installDir},
        {"the folder without the game", "other.exe", installDir, false, installDir},
        {"no game named: the value alone", "", installDir, true, installDir},
        {"a folder that does not exist", "game.exe", installDir + "gone\\", false, installDir + "gone\\"},
        {"a value too long for the folder buffer counts as not installed", "", "C:\\" + std::string(270, 'a') + "\\",
            false, ""},
    };
    for (const auto& row : rows) {
        RemoveRegistryKeys();
        if (!row.value.empty())
            WriteInstallDir(row.value);
        Describe(std::string("$executefile = ") + row.executefile + "\r\n");
        char before[MAX_PATH] = "", after[MAX_PATH] = "";
        SetCurrentDirectoryA(m_elsewhere.Path("").c_str());
        GetCurrentDirectoryA(sizeof(before), before);
        window->ReadInstallState();
        GetCurrentDirectoryA(sizeof(after), after);
        EXPECT_EQ(row.installed, window->isInstalled) << row.proves;
        EXPECT_EQ(row.installedDir, window->installedDir) << row.proves;
        EXPECT_FALSE(window->isInstalledForAllUsers) << row.proves;
        EXPECT_STREQ(before, after) << row.proves << ": the current directory is restored";
    }
}

TEST_F(MenuWindowTest, InstalledTitleOffersLaunchAndUninstall)
{
    WriteBytes(folder.Path("splash.bmp"), MakeBitmapFile(200, 200));
    WriteBytes(folder.Path("game.exe"), "x");
    WriteInstallDir(folder.Path(""));
    Describe("$executefile = game.exe\r\n");
    ASSERT_NE(nullptr, CreateMenu());
    EXPECT_TRUE(window->isInstalled);
    EXPECT_TRUE(Enabled(IDC_LAUNCH));
    EXPECT_FALSE(Visible(IDC_INSTALL));
    EXPECT_TRUE(Visible(IDC_UNINSTALL));

    // The same window for a title that is not installed.
    RemoveRegistryKeys();
    window->ReadInstallState();
    window->ApplyInstallState();
    EXPECT_FALSE(Enabled(IDC_LAUNCH));
    EXPECT_TRUE(Visible(IDC_INSTALL));
    EXPECT_FALSE(Visible(IDC_UNINSTALL));
}

TEST_F(MenuWindowTest, LaunchStartsTheGameAndCloses)
{
    WriteBytes(folder.Path("splash.bmp"), MakeBitmapFile(200, 200));
    char systemDir[MAX_PATH];
    GetSystemDirectoryA(systemDir, sizeof(systemDir));
    WriteInstallDir(std::string(systemDir) + "\\");
    Describe("$executefile = cmd.exe\r\n$executecommand = cmd.exe /c exit 0\r\n");
    ASSERT_NE(nullptr, CreateMenu());
    ASSERT_TRUE(window->isInstalled);
    window->SendMessage(WM_APP + 3, 0, 0);
    EXPECT_FALSE(IsWindow(window->GetHwnd())) << "launching ends the installer";
}

TEST_F(MenuWindowTest, LaunchOfATitleNotInstalledFails)
{
    WriteBytes(folder.Path("splash.bmp"), MakeBitmapFile(200, 200));
    Describe("$executefile = game.exe\r\n");
    ASSERT_NE(nullptr, CreateMenu());
    MessageBoxWatcher watcher;
    // The launch button is disabled; its message still arrives, as from a second press that got through.
    PostMessageA(subForm, WM_COMMAND, MAKEWPARAM(IDC_LAUNCH, BN_CLICKED), 0);
    DrainMessages();
    ASSERT_TRUE(watcher.Wait());
    EXPECT_EQ("献立表を実行できませんでした", watcher.text);
    EXPECT_EQ("失敗", watcher.caption);
    EXPECT_TRUE(IsWindow(window->GetHwnd()));
}

TEST_F(MenuWindowTest, FailedLaunchKeepsTheCurrentDirectory)
{
    WriteBytes(folder.Path("splash.bmp"), MakeBitmapFile(200, 200));
    WriteBytes(m_elsewhere.Path("game.exe"), "not a program");
    WriteInstallDir(m_elsewhere.Path(""));
    Describe("$executefile = game.exe\r\n");
    ASSERT_NE(nullptr, CreateMenu());
    ASSERT_TRUE(window->isInstalled);
    char before[MAX_PATH] = "", after[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(before), before);
    MessageBoxWatcher watcher;
    window->SendMessage(WM_APP + 3, 0, 0);
    ASSERT_TRUE(watcher.Wait());
    EXPECT_EQ("献立表を実行できませんでした", watcher.text);
    GetCurrentDirectoryA(sizeof(after), after);
    EXPECT_STREQ(before, after);
    EXPECT_TRUE(IsWindow(window->GetHwnd()));
}

TEST_F(MenuWindowTest, QuitButtonClosesTheWindow)
{
    WriteBytes(folder.Path("splash.bmp"), MakeBitmapFile(200, 200));
    Describe("");
    ASSERT_NE(nullptr, CreateMenu());
    SendMessageA(GetDlgItem(subForm, IDC_QUIT), BM_CLICK, 0, 0);
    DrainMessages();
    EXPECT_FALSE(IsWindow(window->GetHwnd()));
}

// The probe program copied into the test folder: it reports the menu's state while it runs and its folder.
class ExtraProgramTest : public MenuWindowTest {
protected:
    void SetUp() override
    {
        MenuWindowTest::SetUp();
        ASSERT_TRUE(CopyFileA("Z:" MENU_PROBE_PATH, folder.Path("probe.exe").c_str(), FALSE));
        WriteBytes(folder.Path("splash.bmp"), MakeBitmapFile(200, 200));
    }

    // The probe's report, once it has been written (empty after timeoutMs).
    std::string WaitForReport(DWORD timeoutMs)
    {
        for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(50)) {
            std::string report = ReadBytes(folder.Path("probe.txt"));
            if (!report.empty())
                return report;
        }
        return "";
    }
};

TEST_F(ExtraProgramTest, WaitedForProgramDisablesTheMenuUntilItEnds)
{
    Describe("$cmd = probe.exe,待つ,yes\r\n");
    ASSERT_NE(nullptr, CreateMenu());
    ASSERT_EQ(2000, window->commands[0].buttonId);
    window->SendMessage(WM_COMMAND, 2000, 0);
    // The report is there as soon as the handler returns: it waited for the program.
    std::string report = ReadBytes(folder.Path("probe.txt"));
    EXPECT_EQ(0u, report.find("disabled\n")) << report;
    EXPECT_TRUE(IsWindowEnabled(window->GetHwnd()));
}

TEST_F(ExtraProgramTest, ShellStartsTheProgramInItsFolder)
{
    Describe("$cmd = probe.exe,開く,no\r\n");
    ASSERT_NE(nullptr, CreateMenu());
    SetCurrentDirectoryA(m_elsewhere.Path("").c_str()); // the program's folder is its own, not the current one
    std::string fullPath = folder.Path("probe.exe");
    lstrcpynA(window->commands[0].command, fullPath.c_str(), sizeof(window->commands[0].command));
    window->SendMessage(WM_COMMAND, 2000, 0);
    std::string report = WaitForReport(10000);
    std::string expectedFolder = folder.Path("");
    expectedFolder.pop_back(); // the current directory has no trailing backslash
    EXPECT_EQ("enabled\n" + expectedFolder, report) << "not waited for";
}

TEST_F(ExtraProgramTest, ProgramThatCannotStartIsReported)
{
    WriteBytes(folder.Path("broken.exe"), "not a program");
    Describe("$cmd = broken.exe,壊れた,yes\r\n");
    ASSERT_NE(nullptr, CreateMenu());
    MessageBoxWatcher watcher;
    window->SendMessage(WM_COMMAND, 2000, 0);
    ASSERT_TRUE(watcher.Wait());
    EXPECT_EQ("「壊れた」が起動できませんでした", watcher.text);
    EXPECT_EQ("失敗", watcher.caption);
    EXPECT_TRUE(IsWindowEnabled(window->GetHwnd()));
}

TEST_F(MenuWindowTest, ScriptMessagesAndSounds)
{
    window.reset(new CTestMainWnd());
    EXPECT_EQ(0, window->ShowScriptMessage(nullptr, MB_OK));
    EXPECT_EQ(0, window->ShowScriptMessage("", MB_OK));
    EXPECT_FALSE(window->PlayScriptSound(nullptr));
    EXPECT_FALSE(window->PlayScriptSound(""));
    MessageBoxWatcher watcher(IDCANCEL);
    EXPECT_EQ(IDCANCEL, window->ShowScriptMessage("ようこそ", MB_OKCANCEL));
    ASSERT_TRUE(watcher.Wait());
    EXPECT_EQ("ようこそ", watcher.text);
    EXPECT_EQ("情報", watcher.caption);
}

} // namespace
