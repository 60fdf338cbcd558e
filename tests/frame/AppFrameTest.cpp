// The application frame: the run loop's start and end, the pumps and the quit flag, the second-start message.
#include <gtest/gtest.h>

#include "foundation/App.h"
#include "tests/frame/MessageBoxWatcher.h"
#include "ui/ZVWnd.h"

namespace {

// A frame whose start and end steps are recorded; the start step's result is chosen by the test.
class RecordingApp : public CApp {
public:
    explicit RecordingApp(bool startSucceeds)
        : CApp("RecordingApp", "ZVSetupTestRecordingAppMutex")
        , m_startSucceeds(startSucceeds)
    {
    }
    bool InitInstance(HINSTANCE instance, HINSTANCE, LPSTR, int) override
    {
        m_instance = instance;
        initCalls++;
        if (m_startSucceeds && postQuitAtStart)
            PostQuitMessage(0);
        return m_startSucceeds;
    }
    int ExitInstance() override
    {
        exitCalls++;
        quittingAtExit = IsQuitting();
        return 7;
    }
    void OnIdle() override { idleCalls++; }

    bool postQuitAtStart = false;
    int initCalls = 0;
    int exitCalls = 0;
    int idleCalls = 0;
    bool quittingAtExit = false;

private:
    bool m_startSucceeds;
};

// Stands for a long piece of work inside a message handler: it pumps with PeekAndPump until the queue is
// empty and notes what the frame reported meanwhile.
class CopyLoopWindow : public CZVWnd {
public:
    explicit CopyLoopWindow(CApp* app)
        : m_app(app)
    {
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kStartCopy) {
            PostQuitMessage(0);
            while (m_app->PeekAndPump())
                pumped++;
            quittingAfterLoop = m_app->IsQuitting();
            return 0;
        }
        return CZVWnd::WindowProc(message, wParam, lParam);
    }

    static const UINT kStartCopy = WM_APP + 12;
    int pumped = 0;
    bool quittingAfterLoop = false;

private:
    CApp* m_app;
};

class CopyLoopApp : public RecordingApp {
public:
    CopyLoopApp()
        : RecordingApp(true)
        , window(this)
    {
    }
    bool InitInstance(HINSTANCE instance, HINSTANCE prev, LPSTR cmdLine, int showCmd) override
    {
        RecordingApp::InitInstance(instance, prev, cmdLine, showCmd);
        if (window.Create(instance, 100, 100) == nullptr)
            return false;
        return window.PostMessage(CopyLoopWindow::kStartCopy, 0, 0);
    }
    CopyLoopWindow window;
};

HINSTANCE ThisModule()
{
    return GetModuleHandleA(nullptr);
}

} // namespace

TEST(AppFrame, FailedStartReturnsMinusOneWithoutEndStep)
{
    RecordingApp blocking(false);
    EXPECT_EQ(-1, blocking.Run(ThisModule(), nullptr, nullptr, SW_SHOW));
    EXPECT_EQ(1, blocking.initCalls);
    EXPECT_EQ(0, blocking.exitCalls);

    RecordingApp polling(false);
    EXPECT_EQ(-1, polling.RunPolling(ThisModule(), nullptr, nullptr, SW_SHOW));
    EXPECT_EQ(0, polling.exitCalls);
}

TEST(AppFrame, QuitSeenInsideACopyLoopEndsRunAfterThatPump)
{
    CopyLoopApp app;
    EXPECT_EQ(7, app.Run(ThisModule(), nullptr, nullptr, SW_SHOW));
    EXPECT_GE(app.window.pumped, 1) << "the copy loop took the WM_QUIT";
    EXPECT_TRUE(app.window.quittingAfterLoop);
    EXPECT_EQ(1, app.exitCalls);
    EXPECT_TRUE(app.quittingAtExit);
    // Had the outer loop gone on after the copy, GetMessageA would have waited for ever (the test's timeout).
    EXPECT_GE(app.idleCalls, 1);
    app.window.Destroy();
    MSG leftover;
    while (PeekMessageA(&leftover, nullptr, 0, 0, PM_REMOVE)) { }
}

TEST(AppFrame, BothLoopsEndOnQuitAndReturnTheEndStepsCode)
{
    RecordingApp blocking(true);
    blocking.postQuitAtStart = true;
    EXPECT_EQ(7, blocking.Run(ThisModule(), nullptr, nullptr, SW_SHOW));
    EXPECT_TRUE(blocking.quittingAtExit);

    RecordingApp polling(true);
    polling.postQuitAtStart = true;
    EXPECT_EQ(7, polling.RunPolling(ThisModule(), nullptr, nullptr, SW_SHOW));
    EXPECT_TRUE(polling.quittingAtExit);
    EXPECT_GE(polling.idleCalls, 1);
}

TEST(AppFrame, PumpsReportAnEmptyQueueAndAQuit)
{
    RecordingApp app(true);
    MSG leftover;
    while (PeekMessageA(&leftover, nullptr, 0, 0, PM_REMOVE)) { }
    EXPECT_FALSE(app.PeekAndPump()) << "nothing waiting";
    EXPECT_FALSE(app.IsQuitting());

    PostQuitMessage(3);
    EXPECT_FALSE(app.PumpMessage()) << "GetMessageA returned 0 for WM_QUIT";
    EXPECT_TRUE(app.IsQuitting());
}

TEST(AppFrame, DefaultStartStepHoldsTheMutexUntilTheEndStep)
{
    CApp app("ZVSetupTestApp", "ZVSetupTestFrameMutex");
    ASSERT_TRUE(app.InitInstance(ThisModule(), nullptr, nullptr, SW_SHOW));
    EXPECT_EQ(ThisModule(), app.GetInstance());
    HANDLE seen = OpenMutexA(SYNCHRONIZE, FALSE, "ZVSetupTestFrameMutex");
    EXPECT_NE(nullptr, seen);
    if (seen)
        CloseHandle(seen);

    EXPECT_EQ(0, app.ExitInstance());
    EXPECT_EQ(nullptr, OpenMutexA(SYNCHRONIZE, FALSE, "ZVSetupTestFrameMutex"));
    EXPECT_EQ(0, app.ExitInstance()) << "a second end step has nothing to close";
}

TEST(AppFrame, SecondStartIsRefusedWithTheDefaultName)
{
    CApp first(nullptr, nullptr);
    ASSERT_TRUE(first.InitInstance(ThisModule(), nullptr, nullptr, SW_SHOW));

    CApp second(nullptr, nullptr);
    MessageBoxWatcher watcher(IDOK);
    EXPECT_FALSE(second.InitInstance(ThisModule(), nullptr, nullptr, SW_SHOW));
    ASSERT_TRUE(watcher.Wait()) << "no message box appeared";
    EXPECT_EQ("多重起動エラー", watcher.caption);
    EXPECT_EQ("ZenvoraDefaultAPP\nは既に実行されています\n複数起動することはできません", watcher.text);
    EXPECT_EQ(nullptr, watcher.owner);
    EXPECT_EQ(0, second.ExitInstance());

    first.ExitInstance();
    CApp third(nullptr, nullptr);
    EXPECT_TRUE(third.InitInstance(ThisModule(), nullptr, nullptr, SW_SHOW)) << "the mutex was given back";
    third.ExitInstance();
}

TEST(AppFrame, LongNamesAreCutAndStillShown)
{
    std::string longName(400, 'N');
    CApp first(longName.c_str(), "ZVSetupTestLongNameMutex");
    ASSERT_TRUE(first.InitInstance(ThisModule(), nullptr, nullptr, SW_SHOW));
    CApp second(longName.c_str(), "ZVSetupTestLongNameMutex");
    MessageBoxWatcher watcher(IDOK);
    EXPECT_FALSE(second.InitInstance(ThisModule(), nullptr, nullptr, SW_SHOW));
    ASSERT_TRUE(watcher.Wait());
    EXPECT_EQ(std::string(255, 'N') + "\nは既に実行されています\n複数起動することはできません", watcher.text);
    first.ExitInstance();
}
