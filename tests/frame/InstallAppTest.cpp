// The one application object: the Windows class code is found once, on first need, and then kept; the report of a
// menu window that could not be made.
#include <gtest/gtest.h>

#include <memory>

#include "startup/InstallApp.h"
#include "startup/StartupTexts.h"
#include "foundation/WindowsVersion.h"
#include "tests/frame/MessageBoxWatcher.h"

TEST(InstallApp, ClassifiesTheSystemOnFirstNeedAndKeepsTheCode)
{
    ASSERT_NE(nullptr, GetApp());
    EXPECT_EQ(GetApp(), GetApp());
    // An application object of the test's own, as the program's is before its start step: the program's one may
    // have been asked already by a test that ran earlier in this process.
    std::unique_ptr<CInstallApp> app(new CInstallApp()); // large: it holds the menu window and the description
    EXPECT_EQ(kWindowsUnknown, app->GetWindowsClassCode()) << "nothing is classified before it is asked for";

    EXPECT_TRUE(app->CheckWindowsVersion(0, kWindows2000)) << "Wine's default version passes the start-up minimum";
    int32_t code = app->GetWindowsClassCode();
    EXPECT_GE(code, kWindows2000);
    EXPECT_LE(code, kWindowsNtNewer);
    EXPECT_FALSE(app->CheckWindowsVersion(kRefuseFamily, kRefuseFamily));
    EXPECT_EQ(code, app->GetWindowsClassCode());
    EXPECT_TRUE(app->DetectWindowsVersion());
    EXPECT_EQ(code, app->GetWindowsClassCode());
    EXPECT_TRUE(GetApp()->CheckWindowsVersion(0, kWindows2000));
    EXPECT_EQ(code, GetApp()->GetWindowsClassCode()) << "the program's object classifies the same system";
}

TEST(InstallApp, MainWindowFailureStaysUntilTheUserClosesIt)
{
    // As the failed window's OnDestroy leaves it: the quit message waits in the queue.
    PostQuitMessage(0);
    MessageBoxWatcher watcher(IDOK, 5000, 500);
    CInstallApp::ReportMainWindowFailure();
    EXPECT_TRUE(watcher.Wait()) << "the box did not wait to be answered";
    EXPECT_EQ(ZV_CAPTION_FAILURE, watcher.caption);
    EXPECT_EQ(ZV_TEXT_MAIN_WINDOW_FAILED, watcher.text);
    // No quit message is left for the tests that follow, whatever happened.
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) { }
}
