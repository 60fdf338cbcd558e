// The menu's buttons: the sub-form's procedure, the owner-drawn buttons of multi-line captions, the extra buttons
// of the script's $cmd lines and the buttons that follow the install state.
#include <vector>

#include "foundation/FileCalls.h"
#include "foundation/WindowCalls_win.h"
#include "resources/resource.h"
#include "ui/DialogFont_win.h"
#include "ui/MainWnd.h"
#include "ui/MenuLayout.h"

namespace {

const int kFirstExtraButtonId = 2000;
const int kOwnerDrawnMargin = 3;

// A multi-line caption: a pushed frame, the focus rectangle, and the lines centred in the button as a block.
void DrawOwnerDrawnButton(const DRAWITEMSTRUCT& item)
{
    RECT frame = item.rcItem;
    UINT state = DFCS_BUTTONPUSH;
    if (item.itemState & ODS_SELECTED)
        state |= DFCS_PUSHED;
    DrawFrameControl(item.hDC, &frame, DFC_BUTTON, state);

    RECT inner = item.rcItem;
    InflateRect(&inner, -kOwnerDrawnMargin, -kOwnerDrawnMargin);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &inner);

    std::string text = ProgramWindowText(item.hwndItem);
    RECT measured = inner;
    int textHeight = DrawProgramText(item.hDC, text.c_str(), -1, &measured, DT_CALCRECT | DT_CENTER);
    inner.top += (inner.bottom - inner.top - textHeight) / 2;
    int previousMode = SetBkMode(item.hDC, TRANSPARENT);
    DrawProgramText(item.hDC, text.c_str(), -1, &inner, DT_CENTER);
    SetBkMode(item.hDC, previousMode);
}

// A control's rectangle in its parent's client coordinates.
RECT ChildRect(HWND parent, int id)
{
    RECT rect = {};
    HWND child = GetDlgItem(parent, id);
    if (child != nullptr) {
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    }
    return rect;
}

} // namespace

INT_PTR CALLBACK CMainWnd::SubFormProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: UseJapaneseDialogFont(dialog); return TRUE;
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType == ODT_BUTTON)
            DrawOwnerDrawnButton(*item);
        return TRUE;
    }
    case WM_COMMAND: {
        HWND parent = GetParent(dialog);
        switch (LOWORD(wParam)) {
        case IDC_LAUNCH: ::PostMessageA(parent, WM_APP + 3, 0, 0); break;
        case IDC_INSTALL: ::PostMessageA(parent, WM_APP + 1, 0, 0); break;
        case IDC_DIRECTX: ::PostMessageA(parent, WM_APP + 2, 0, 0); break;
        case IDC_UNINSTALL: ::PostMessageA(parent, WM_APP + 4, 0, 0); break;
        case IDC_QUIT: ::PostMessageA(parent, WM_CLOSE, 0, 0); break;
        default: ::PostMessageA(parent, WM_COMMAND, wParam, lParam); break;
        }
        return TRUE;
    }
    default: return FALSE;
    }
}

void CMainWnd::CreateExtraButtons()
{
    RECT launch = ChildRect(subFormHandle, IDC_LAUNCH);
    RECT install = ChildRect(subFormHandle, IDC_INSTALL);
    MENU_COLUMN column;
    column.left = launch.left;
    column.launchTop = launch.top;
    column.buttonWidth = launch.right - launch.left;
    column.buttonHeight = launch.bottom - launch.top;
    column.pitch = install.top - launch.top;

    // Which commands get a button, and their captions with real line breaks.
    std::vector<int> lineBreaks;
    std::vector<CZVString> captions;
    for (const COMMAND_ENTRY& entry : commands) {
        char fullPath[kPathBytes];
        DWORD length = ZVGetFullPathName(entry.command, sizeof(fullPath), fullPath, nullptr);
        bool exists
            = length > 0 && length < sizeof(fullPath) && ZVGetFileAttributes(fullPath) != INVALID_FILE_ATTRIBUTES;
        CZVString caption;
        int breaks = -1;
        if (exists && caption.Alloc(kMessageBytes))
            breaks = ConvertCaptionLineBreaks(entry.caption, caption.GetBuffer(), kMessageBytes);
        // A caption with line breaks is never longer than the original: -1 here means no memory.
        lineBreaks.push_back(breaks);
        captions.push_back(caption);
    }
    std::vector<EXTRA_BUTTON_PLACE> places;
    int quitTop = PlaceExtraButtons(column, settings.directxrequire, lineBreaks, &places);

    // The launch button's font: the one with Japanese glyphs where the sub-form's own face is missing.
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(GetDlgItem(subFormHandle, IDC_LAUNCH), WM_GETFONT, 0, 0));
    int nextId = kFirstExtraButtonId;
    for (size_t i = 0; i < commands.size(); i++) {
        if (!places[i].made)
            continue;
        DWORD style = WS_CHILD | WS_VISIBLE;
        if (lineBreaks[i] > 0)
            style |= BS_OWNERDRAW;
        HWND button = CreateProgramWindow(0, "BUTTON", captions[i].GetString(), style, column.left, places[i].top,
            column.buttonWidth, places[i].height, subFormHandle, reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId)),
            hInstance, nullptr);
        commands[i].buttonId = nextId++;
        if (button != nullptr) {
            CZVWnd control;
            control.Attach(button);
            control.SetFont(font, true);
        }
    }
    ::MoveWindow(
        GetDlgItem(subFormHandle, IDC_QUIT), column.left, quitTop, column.buttonWidth, column.buttonHeight, TRUE);
}

void CMainWnd::ApplyInstallState()
{
    if (subFormHandle == nullptr)
        return; // an unattended run has no menu
    EnableWindow(GetDlgItem(subFormHandle, IDC_LAUNCH), isInstalled);
    ::ShowWindow(GetDlgItem(subFormHandle, IDC_INSTALL), isInstalled ? SW_HIDE : SW_SHOW);
    ::ShowWindow(GetDlgItem(subFormHandle, IDC_UNINSTALL), isInstalled ? SW_SHOW : SW_HIDE);
}
