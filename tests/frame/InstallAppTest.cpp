// The one application object: the Windows class code is found once, on first need, and then kept.
#include <gtest/gtest.h>

#include "startup/InstallApp.h"
#include "startup/WindowsVersion.h"

TEST(InstallApp, ClassifiesTheSystemOnFirstNeedAndKeepsTheCode)
{
    CInstallApp* app = GetApp();
    ASSERT_NE(nullptr, app);
    EXPECT_EQ(app, GetApp());
    EXPECT_EQ(kWindowsUnknown, app->GetWindowsClassCode()) << "nothing is classified before it is asked for";

    EXPECT_TRUE(app->CheckWindowsVersion(0, kWindows2000)) << "Wine's default version passes the start-up minimum";
    int32_t code = app->GetWindowsClassCode();
    EXPECT_GE(code, kWindows2000);
    EXPECT_LE(code, kWindowsNtNewer);
    EXPECT_FALSE(app->CheckWindowsVersion(kRefuseFamily, kRefuseFamily));
    EXPECT_EQ(code, app->GetWindowsClassCode());
    EXPECT_TRUE(app->DetectWindowsVersion());
    EXPECT_EQ(code, app->GetWindowsClassCode());
}
