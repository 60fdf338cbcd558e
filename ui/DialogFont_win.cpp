#include "ui/DialogFont_win.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "foundation/UnicodeText_win.h"
#include "foundation/WindowCalls_win.h"
#include "ui/DialogFace.h"

namespace {

const int kEdgeGap = 4; // kept free between a widened control and its neighbour or the dialog's edge

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool HasJapaneseFace(const std::wstring& face)
{
    UNICODE_CALL(gdi32, EnumFontFamiliesExW);
    if (EnumFontFamiliesExW_ == nullptr || face.empty() || face.size() >= LF_FACESIZE)
        return false;
    LOGFONTW wanted = {};
    wanted.lfCharSet = SHIFTJIS_CHARSET;
    face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW_(screen, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

// The width in pixels the control's text takes in its own font, with what the control draws beside it; 0 for a
// control whose text is not measured here.
int TextNeed(HWND control)
{
    char className[16] = "";
    GetClassNameA(control, className, sizeof(className));
    LONG style = GetWindowLongA(control, GWL_STYLE);
    int beside = 0;
    UINT lines = DT_SINGLELINE;
    if (lstrcmpiA(className, "Button") == 0) {
        switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON: beside = 4 * GetSystemMetrics(SM_CXEDGE) + 2 * kEdgeGap; break;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
        case BS_3STATE:
        case BS_AUTO3STATE: beside = GetSystemMetrics(SM_CXMENUCHECK) + 2 * GetSystemMetrics(SM_CXEDGE) + 2; break;
        case BS_OWNERDRAW: // the menu's captions of several lines, drawn inside a margin
            beside = 4 * GetSystemMetrics(SM_CXEDGE) + 2 * kEdgeGap;
            lines = 0;
            break;
        default: return 0; // group boxes
        }
    } else if (lstrcmpiA(className, "Static") != 0 || (style & SS_TYPEMASK) > SS_RIGHT) {
        return 0;
    }
    std::string text = ProgramWindowText(control);
    if (text.empty())
        return 0;
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT measured = {0, 0, 0, 0};
    DrawProgramText(dc, text.c_str(), -1, &measured, DT_CALCRECT | lines);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return measured.right - measured.left + beside;
}

RECT RectInParent(HWND control, HWND parent)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<HWND> Children(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

} // namespace

HFONT JapaneseFontFor(HFONT font)
{
    UNICODE_CALL(gdi32, GetObjectW);
    UNICODE_CALL(gdi32, CreateFontIndirectW);
    LOGFONTW logFont = {};
    if (!UsesUnicodeCalls() || font == nullptr || GetObjectW_(font, sizeof(logFont), &logFont) == 0)
        return font;
    std::wstring face = ChooseDialogFace(logFont.lfFaceName, HasJapaneseFace);
    if (face == logFont.lfFaceName)
        return font;

    static std::map<std::pair<std::wstring, LONG>, HFONT> made;
    HFONT& japanese = made[std::make_pair(face, logFont.lfHeight)];
    if (japanese == nullptr) {
        std::fill(logFont.lfFaceName, logFont.lfFaceName + LF_FACESIZE, L'\0');
        face.copy(logFont.lfFaceName, LF_FACESIZE - 1);
        logFont.lfCharSet = SHIFTJIS_CHARSET;
        japanese = CreateFontIndirectW_(&logFont);
    }
    return japanese != nullptr ? japanese : font;
}

void UseJapaneseDialogFont(HWND dialog)
{
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    HFONT japanese = JapaneseFontFor(font);
    if (japanese == font)
        return;
    SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(japanese), FALSE);
    for (HWND control : Children(dialog))
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(japanese), FALSE);
}

void FitControlsToTexts(HWND dialog)
{
    RECT client;
    GetClientRect(dialog, &client);
    std::vector<HWND> children = Children(dialog);
    for (HWND control : children) {
        int need = TextNeed(control);
        RECT rect = RectInParent(control, dialog);
        if (need <= rect.right - rect.left)
            continue;
        int limit = client.right - kEdgeGap;
        for (HWND other : children) {
            RECT beside = RectInParent(other, dialog);
            bool sameRow = beside.top < rect.bottom && rect.top < beside.bottom;
            if (other != control && sameRow && beside.left >= rect.right
                && (GetWindowLongA(other, GWL_STYLE) & WS_VISIBLE) != 0 && beside.left - kEdgeGap < limit)
                limit = beside.left - kEdgeGap;
        }
        int width = rect.left + need <= limit ? need : limit - rect.left;
        if (width > rect.right - rect.left)
            SetWindowPos(control, nullptr, 0, 0, width, rect.bottom - rect.top, SWP_NOMOVE | SWP_NOZORDER);
    }
}

bool FitButtonColumn(HWND dialog)
{
    std::vector<HWND> children = Children(dialog);
    int widest = 0;
    int buttonWidth = 0;
    for (HWND control : children) {
        int need = TextNeed(control);
        RECT rect = RectInParent(control, dialog);
        widest = need > widest ? need : widest;
        buttonWidth = rect.right - rect.left > buttonWidth ? rect.right - rect.left : buttonWidth;
    }
    int grow = widest - buttonWidth;
    if (buttonWidth == 0 || grow <= 0)
        return false;
    for (HWND control : children) {
        RECT rect = RectInParent(control, dialog);
        SetWindowPos(
            control, nullptr, 0, 0, rect.right - rect.left + grow, rect.bottom - rect.top, SWP_NOMOVE | SWP_NOZORDER);
    }
    RECT frame;
    GetWindowRect(dialog, &frame);
    SetWindowPos(
        dialog, nullptr, 0, 0, frame.right - frame.left + grow, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
    return true;
}
