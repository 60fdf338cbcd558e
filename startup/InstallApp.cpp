#include "startup/InstallApp.h"

#include "resources/resource.h"
#include "startup/WindowsVersion.h"
#include "startup/WindowsVersion_win.h"

namespace {

const char kMainWindowFailed[] = "メインウィンドウの作成に失敗しました";
const char kFailureCaption[] = "失敗";
const int kMainClientSize = 240;

CInstallApp theApp;

} // namespace

CInstallApp* GetApp()
{
    return &theApp;
}

CInstallApp::CInstallApp()
    : CApp(nullptr, nullptr)
    , windowsClassCode(kWindowsUnknown)
{
}

CInstallApp::~CInstallApp() { }

bool CInstallApp::InitInstance(HINSTANCE instance, HINSTANCE prevInstance, LPSTR cmdLine, int showCmd)
{
    if (!CApp::InitInstance(instance, prevInstance, cmdLine, showCmd))
        return false;
    if (mainWindow.Create(instance, kMainClientSize, kMainClientSize) == nullptr) {
        MessageBoxA(nullptr, kMainWindowFailed, kFailureCaption, MB_ICONERROR | MB_SETFOREGROUND);
        CApp::ExitInstance(); // gives the mutex back
        return false;
    }
    mainWindow.ShowWindow(SW_SHOW);
    mainWindow.UpdateWindow();
    mainWindow.SetIcon(LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN)), true);
    return true;
}

int CInstallApp::ExitInstance()
{
    return CApp::ExitInstance();
}

bool CInstallApp::DetectWindowsVersion()
{
    windowsClassCode = kWindowsUnknown;
    WINDOWS_VERSION_RECORD record;
    if (!ReadRunningWindowsVersion(&record))
        return false;
    windowsClassCode = ClassifyWindowsVersion(record);
    return windowsClassCode != kWindowsUnknown;
}

bool CInstallApp::CheckWindowsVersion(int32_t min9x, int32_t minNT)
{
    if (windowsClassCode == kWindowsUnknown && !DetectWindowsVersion())
        return false;
    return IsWindowsAtLeast(windowsClassCode, min9x, minNT);
}
