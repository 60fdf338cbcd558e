// The main window's script reading on Windows: the real syntax error box, read back and closed by a watcher.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "script/ScriptTexts.h"
#include "tests/TestFiles.h"
#include "ui/MainWnd.h"

namespace {

// Watches for one message box of this process, keeps its caption and text, and closes it with OK.
class CBoxWatcher {
public:
    CBoxWatcher()
        : m_thread(CreateThread(nullptr, 0, &CBoxWatcher::_Watch, this, 0, nullptr))
    {
    }
    ~CBoxWatcher()
    {
        m_stop = true;
        WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
    }
    CBoxWatcher(const CBoxWatcher&) = delete;
    CBoxWatcher& operator=(const CBoxWatcher&) = delete;

    volatile bool seen = false;
    std::string caption;
    std::string text;

private:
    static DWORD WINAPI _Watch(void* parameter)
    {
        CBoxWatcher* self = static_cast<CBoxWatcher*>(parameter);
        for (int tick = 0; tick < 2000 && !self->m_stop && !self->seen; tick++) {
            HWND box = FindWindowA("#32770", nullptr);
            DWORD process = 0;
            if (box != nullptr && GetWindowThreadProcessId(box, &process) && process == GetCurrentProcessId()) {
                char buffer[2048];
                GetWindowTextA(box, buffer, sizeof(buffer));
                self->caption = buffer;
                GetDlgItemTextA(box, 0xFFFF, buffer, sizeof(buffer)); // the static control of a message box
                self->text = buffer;
                self->seen = true;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            }
            Sleep(5);
        }
        return 0;
    }

    HANDLE m_thread;
    volatile bool m_stop = false; // set by the test's thread
};

TEST(ReadInstallInfo, SyntaxErrorShowsTheReportInABox)
{
    TestFolder folder;
    std::string path = folder.Path("Install.ifo");
    WriteBytes(path, "# title\r\n$installtypecount = 2\r\n\t$numberofdisc = 0 \r\n");
    std::unique_ptr<CMainWnd> mainWnd(new CMainWnd());
    CBoxWatcher watcher;
    EXPECT_FALSE(mainWnd->ReadInstallInfo(path.c_str()));
    // The watcher sets its flag before it closes the box, and the box blocks ReadInstallInfo until then.
    ASSERT_TRUE(watcher.seen);
    EXPECT_EQ(ZV_CAPTION_SYNTAX_ERROR, watcher.caption);
    // A message box shows "\n" as a line break; its static text keeps the bytes as given.
    EXPECT_EQ(
        "ディスク枚数は1以上を指定してください\n\nファイル名: " + path + "\n行数: 3\n$numberofdisc = 0", watcher.text);
}

TEST(ReadInstallInfo, GoodAndMissingFilesShowNothing)
{
    TestFolder folder;
    std::string path = folder.Path("Install.ifo");
    WriteBytes(path, "$installtypecount = 1\r\n$gametitle = テスト\r\n");
    std::unique_ptr<CMainWnd> mainWnd(new CMainWnd());
    CBoxWatcher watcher;
    EXPECT_TRUE(mainWnd->ReadInstallInfo(path.c_str()));
    EXPECT_STREQ("テスト", mainWnd->settings.gametitle);
    EXPECT_FALSE(mainWnd->ReadInstallInfo(folder.Path("Missing.ifo").c_str()));
    EXPECT_FALSE(watcher.seen);
}

} // namespace
