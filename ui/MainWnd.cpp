// The main window's own life: construction, the message dispatch, building the menu on WM_CREATE and painting
// the splash picture. The buttons are in MenuButtons.cpp, the install state in InstallState.cpp, the launches in
// Launch.cpp, DirectX in DirectX.cpp.
#include "ui/MainWnd.h"

#include <commctrl.h> // after <windows.h>, which it needs

#include "foundation/FileCalls.h"
#include "foundation/PathCompare.h"
#include "foundation/SystemLibraries.h"
#include "foundation/WindowCalls_win.h"
#include "log/TitleFiles.h"
#include "resources/resource.h"
#include "ui/DialogFont_win.h"
#include "ui/MenuTexts.h"

namespace {

const int kMinimumSplashWidth = 120;
const int kMinimumSplashHeight = 200;
const int kReplacementWidth = 320;
const int kReplacementHeight = 256;
const UINT kGreetMessage = WM_APP + 5; // posted at the end of WM_CREATE: the greeting comes once the menu shows

// The size of a bitmap; false when it cannot be asked.
bool GetBitmapSize(HBITMAP bitmap, int* width, int* height)
{
    BITMAP info;
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof(info), &info) == 0)
        return false;
    *width = info.bmWidth;
    *height = info.bmHeight;
    return true;
}

} // namespace

CMainWnd::CMainWnd()
    : isDirectXReady(false)
    , copyWork(nullptr)
    , copyDialog(nullptr)
    , taskbarList(nullptr)
    , taskbarListTried(false)
    , subFormHandle(nullptr)
    , splashBitmap(nullptr)
{
    frame = nullptr;
    // The object is built with the application object, before WinMain: the disc's folder is the current one.
    sourceDir[0] = '\0';
    DWORD length = ZVGetCurrentDirectory(sizeof(sourceDir), sourceDir);
    if (length == 0 || length >= sizeof(sourceDir))
        sourceDir[0] = '\0';
    installedDir[0] = '\0';
    chosenBaseDir[0] = '\0';
    ReadProgramIdentity();
}

void CMainWnd::ReadProgramIdentity()
{
    moduleFileName[0] = '\0';
    char program[kPathBytes];
    DWORD length = ZVGetModuleFileName(nullptr, program, sizeof(program));
    if (length == 0 || length >= sizeof(program))
        return;
    CopyCutAtChar(moduleFileName, sizeof(moduleFileName), FileNamePart(program));
}

CMainWnd::~CMainWnd() = default;

bool CMainWnd::IsSourceInstalledCopy()
{
    char kept[kPathBytes];
    return (installedDir[0] != '\0' && IsPathAtOrBelow(sourceDir, installedDir)
               && IsPathAtOrBelow(installedDir, sourceDir))
        || (GetKeptFolder(settings.gametitle, kept) && IsPathAtOrBelow(sourceDir, kept)
            && IsPathAtOrBelow(kept, sourceDir));
}

LRESULT CMainWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: return BuildMenu();
    case WM_APP + 1: Install(); return 0;
    case WM_APP + 2: RunDirectXSetup(); return 0;
    case WM_APP + 4: // uninstall; a complete one ends the installer
        if (Uninstall())
            Destroy();
        return 0;
    case WM_APP + 3: LaunchGame(); return 0;
    case kGreetMessage: Greet(); return 0;
    case WM_COMMAND: StartExtraProgram(LOWORD(wParam)); return 0;
    default: return CZVWnd::WindowProc(message, wParam, lParam);
    }
}

LRESULT CMainWnd::BuildMenu()
{
    // Under the manifest's version 6 controls the sub-form's buttons are comctl32's classes, which exist only once
    // the library is loaded; without this the dialog cannot be made on Windows XP. InitCommonControls (not the Ex
    // form) is in every comctl32 down to Windows 95's. The library is loaded here, not at the start: the first
    // start from the disc never makes a window.
    SYSTEM_CALL(comctl32, InitCommonControls);
    if (InitCommonControls_ != nullptr)
        InitCommonControls_();
    subFormHandle = CreateProgramDialog(hInstance, MAKEINTRESOURCEA(IDD_SUBFORM), hwnd, SubFormProc, 0);
    if (subFormHandle == nullptr) {
        MessageBox(ZV_MENU_SUBFORM_FAILED, ZV_CAPTION_FAILURE, MB_ICONERROR | MB_SETFOREGROUND);
        Destroy();
        return -1;
    }
    subForm.Attach(subFormHandle);

    bool splashLoaded = LoadSplashBitmap();
    PlaceWindows();
    SetWindowText(ZV_MENU_TITLE, settings.gametitle);
    // The icon comes from the module the window was created with: the program itself.
    HICON icon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_MAIN));
    SetIcon(icon, true);
    SetIcon(icon, false);
    // Every value below 1 means no requirement, as for the layout of the extra buttons.
    if (settings.directxrequire < 1)
        ::ShowWindow(GetDlgItem(subFormHandle, IDC_DIRECTX), SW_HIDE);
    CreateExtraButtons();
    // The captions, the script's among them, may be wider than the template's buttons in the face the system has:
    // the column, and the window with it, grow to them.
    if (FitButtonColumn(subFormHandle))
        PlaceWindows();
    ReadInstallState();
    // Told once the install state is known: run from an installed copy (an uninstall from the Windows list) the
    // picture is a file of the disc, which is not there, and not missed aloud.
    if (!splashLoaded && !IsSourceInstalledCopy())
        MessageBox(ZV_MENU_SPLASH_FAILED, ZV_CAPTION_FAILURE, MB_ICONERROR | MB_SETFOREGROUND);
    ApplyInstallState();
    subForm.ShowWindow(SW_SHOW);
    subForm.UpdateWindow();
    // The sound and the script's message come with the menu in sight: the window shows as soon as it is built. An
    // install of the title that was cut off is undone (on the person's word) before the menu shows, as the menu
    // must not offer what the undo takes away.
    char journal[kPathBytes];
    if (GetJournalPath(settings.gametitle, journal) && ZVGetFileAttributes(journal) != INVALID_FILE_ATTRIBUTES)
        Greet();
    else
        ::PostMessageA(hwnd, kGreetMessage, 0, 0);
    return 0;
}

void CMainWnd::Greet()
{
    PlayScriptSound(settings.splashvoice);
    ShowScriptMessage(settings.splashmessage, MB_ICONINFORMATION | MB_SETFOREGROUND);
    UndoInterruptedInstall();
}

bool CMainWnd::LoadSplashBitmap()
{
    splashBitmap = static_cast<HBITMAP>(LoadImageA(nullptr, "splash.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (splashBitmap != nullptr)
        return true;

    // The replacement: the title in white on black.
    HDC windowDc = GetDC();
    splashBitmap = CreateCompatibleBitmap(windowDc, kReplacementWidth, kReplacementHeight);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    if (splashBitmap != nullptr && memoryDc != nullptr) {
        HGDIOBJ previous = SelectObject(memoryDc, splashBitmap);
        // A new compatible bitmap has no defined content: clear it before writing.
        PatBlt(memoryDc, 0, 0, kReplacementWidth, kReplacementHeight, BLACKNESS);
        CZVString text = CZVString::Format(ZV_MENU_SPLASH_TEXT, settings.gametitle);
        SetTextColor(memoryDc, RGB(255, 255, 255));
        SetBkMode(memoryDc, TRANSPARENT);
        HGDIOBJ previousFont = SelectObject(memoryDc, JapaneseFontFor(static_cast<HFONT>(GetStockObject(SYSTEM_FONT))));
        ProgramTextOut(memoryDc, 0, 0, text.GetString(), lstrlenA(text.GetString()));
        SelectObject(memoryDc, previousFont);
        SelectObject(memoryDc, previous);
    }
    if (memoryDc != nullptr)
        DeleteDC(memoryDc);
    ReleaseDC(windowDc);
    return false;
}

void CMainWnd::PlaceWindows()
{
    RECT dialogRect = {};
    subForm.GetWindowRect(&dialogRect);
    int dialogWidth = dialogRect.right - dialogRect.left;
    int splashWidth = kMinimumSplashWidth, splashHeight = kMinimumSplashHeight;
    if (GetBitmapSize(splashBitmap, &splashWidth, &splashHeight)) {
        if (splashWidth < kMinimumSplashWidth)
            splashWidth = kMinimumSplashWidth;
        if (splashHeight < kMinimumSplashHeight)
            splashHeight = kMinimumSplashHeight;
    }

    RECT frame = {0, 0, splashWidth + dialogWidth, splashHeight};
    AdjustWindowRect(&frame, WS_CAPTION | WS_SYSMENU, FALSE);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    SetWindowPos(nullptr, (GetSystemMetrics(SM_CXFULLSCREEN) - width) / 2,
        (GetSystemMetrics(SM_CYFULLSCREEN) - height) / 2, width, height, SWP_NOZORDER);
    subForm.SetWindowPos(nullptr, splashWidth, 0, dialogWidth, height, SWP_NOZORDER);
}

void CMainWnd::OnPaint(HDC dc)
{
    int width = 0, height = 0;
    if (!GetBitmapSize(splashBitmap, &width, &height))
        return;
    HDC memoryDc = CreateCompatibleDC(dc);
    if (memoryDc == nullptr)
        return;
    HGDIOBJ previous = SelectObject(memoryDc, splashBitmap);
    BitBlt(dc, 0, 0, width, height, memoryDc, 0, 0, SRCCOPY);
    SelectObject(memoryDc, previous);
    DeleteDC(memoryDc);
}
