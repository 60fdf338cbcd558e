#include "foundation/WindowCalls_win.h"

#include "foundation/PathText.h"
#include "foundation/SystemLibraries.h"
#include "foundation/UnicodeText_win.h"

namespace {

// A name as the W function takes it: a MAKEINTRESOURCE number stays the number.
class CUnicodeName {
public:
    explicit CUnicodeName(const char* name)
        : m_text(IS_INTRESOURCE(name) ? nullptr : name)
        , m_number(IS_INTRESOURCE(name) ? reinterpret_cast<const wchar_t*>(name) : nullptr)
    {
    }
    const wchar_t* Get() const { return m_number != nullptr ? m_number : m_text.Get(); }
    bool IsValid() const { return m_number != nullptr || m_text.IsValid(); }

private:
    CUnicodeText m_text;
    const wchar_t* m_number;
};

template <typename Result> Result RefuseName(Result failure)
{
    SetLastError(ERROR_INVALID_NAME);
    return failure;
}

} // namespace

ATOM RegisterProgramClass(const WNDCLASSEXA* windowClass)
{
    if (!UsesUnicodeCalls())
        return RegisterClassExA(windowClass);
    UNICODE_CALL(user32, RegisterClassExW);
    CUnicodeName className(windowClass->lpszClassName);
    CUnicodeName menuName(windowClass->lpszMenuName);
    if (!className.IsValid() || !menuName.IsValid())
        return RefuseName<ATOM>(0);
    WNDCLASSEXW wide;
    memcpy(&wide, windowClass, sizeof(wide)); // the same layout but for the two names
    wide.cbSize = sizeof(wide);
    wide.lpszClassName = className.Get();
    wide.lpszMenuName = menuName.Get();
    return RegisterClassExW_(&wide);
}

HWND CreateProgramWindow(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
    int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param)
{
    if (!UsesUnicodeCalls())
        return CreateWindowExA(
            exStyle, className, windowName, style, x, y, width, height, parent, menu, instance, param);
    UNICODE_CALL(user32, CreateWindowExW);
    CUnicodeName wideClass(className);
    CUnicodeText wideName(windowName, kReplaceBroken);
    if (!wideClass.IsValid())
        return RefuseName<HWND>(nullptr);
    return CreateWindowExW_(
        exStyle, wideClass.Get(), wideName.Get(), style, x, y, width, height, parent, menu, instance, param);
}

LRESULT DefProgramWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!UsesUnicodeCalls())
        return DefWindowProcA(window, message, wParam, lParam);
    UNICODE_CALL(user32, DefWindowProcW);
    return DefWindowProcW_(window, message, wParam, lParam);
}

INT_PTR ProgramDialogBox(HINSTANCE instance, const char* templateName, HWND owner, DLGPROC procedure, LPARAM param)
{
    if (!UsesUnicodeCalls())
        return DialogBoxParamA(instance, templateName, owner, procedure, param);
    UNICODE_CALL(user32, DialogBoxParamW);
    CUnicodeName name(templateName);
    if (!name.IsValid())
        return RefuseName<INT_PTR>(-1);
    return DialogBoxParamW_(instance, name.Get(), owner, procedure, param);
}

HWND CreateProgramDialog(HINSTANCE instance, const char* templateName, HWND owner, DLGPROC procedure, LPARAM param)
{
    if (!UsesUnicodeCalls())
        return CreateDialogParamA(instance, templateName, owner, procedure, param);
    UNICODE_CALL(user32, CreateDialogParamW);
    CUnicodeName name(templateName);
    if (!name.IsValid())
        return RefuseName<HWND>(nullptr);
    return CreateDialogParamW_(instance, name.Get(), owner, procedure, param);
}

BOOL GetProgramMessage(MSG* message, HWND window, UINT first, UINT last)
{
    if (!UsesUnicodeCalls())
        return GetMessageA(message, window, first, last);
    UNICODE_CALL(user32, GetMessageW);
    return GetMessageW_(message, window, first, last);
}

BOOL PeekProgramMessage(MSG* message, HWND window, UINT first, UINT last, UINT remove)
{
    if (!UsesUnicodeCalls())
        return PeekMessageA(message, window, first, last, remove);
    UNICODE_CALL(user32, PeekMessageW);
    return PeekMessageW_(message, window, first, last, remove);
}

BOOL IsProgramDialogMessage(HWND dialog, MSG* message)
{
    if (!UsesUnicodeCalls())
        return IsDialogMessageA(dialog, message);
    UNICODE_CALL(user32, IsDialogMessageW);
    return IsDialogMessageW_(dialog, message);
}

LRESULT DispatchProgramMessage(const MSG* message)
{
    if (!UsesUnicodeCalls())
        return DispatchMessageA(message);
    UNICODE_CALL(user32, DispatchMessageW);
    return DispatchMessageW_(message);
}

BOOL SetProgramWindowText(HWND window, const char* text)
{
    if (!UsesUnicodeCalls())
        return SetWindowTextA(window, text);
    UNICODE_CALL(user32, SetWindowTextW);
    CUnicodeText wide(text, kReplaceBroken);
    return SetWindowTextW_(window, wide.Get());
}

std::string ProgramWindowText(HWND window)
{
    if (!UsesUnicodeCalls()) {
        int length = GetWindowTextLengthA(window);
        std::string text(length + 1, '\0');
        text.resize(GetWindowTextA(window, &text[0], length + 1));
        return text;
    }
    UNICODE_CALL(user32, GetWindowTextLengthW);
    UNICODE_CALL(user32, GetWindowTextW);
    int length = GetWindowTextLengthW_(window);
    std::wstring wide(length + 1, L'\0');
    wide.resize(GetWindowTextW_(window, &wide[0], length + 1));
    return ToProgramText(wide.c_str(), static_cast<int>(wide.size()));
}

int GetProgramWindowText(HWND window, char* buffer, int maxCount)
{
    if (!UsesUnicodeCalls())
        return GetWindowTextA(window, buffer, maxCount);
    if (maxCount <= 0)
        return 0;
    CopyCutAtChar(buffer, maxCount, ProgramWindowText(window).c_str());
    return lstrlenA(buffer);
}

BOOL SetProgramDlgItemText(HWND dialog, int id, const char* text)
{
    return SetProgramWindowText(GetDlgItem(dialog, id), text);
}

int ShowProgramMessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    if (!UsesUnicodeCalls())
        return MessageBoxA(owner, text, caption, type);
    UNICODE_CALL(user32, MessageBoxW);
    CUnicodeText wideText(text, kReplaceBroken);
    CUnicodeText wideCaption(caption, kReplaceBroken);
    return MessageBoxW_(owner, wideText.Get(), wideCaption.Get(), type);
}

namespace {

// The UTF-16 of count bytes of text (-1: up to the terminator), for the drawing calls.
std::wstring ShownText(const char* text, int count)
{
    std::string bytes = count < 0 ? std::string(text) : std::string(text, count);
    return CUnicodeText(bytes.c_str(), kReplaceBroken).Get();
}

} // namespace

int DrawProgramText(HDC dc, const char* text, int count, RECT* rect, UINT format)
{
    if (!UsesUnicodeCalls())
        return DrawTextA(dc, text, count, rect, format);
    UNICODE_CALL(user32, DrawTextW);
    std::wstring wide = ShownText(text, count);
    return DrawTextW_(dc, wide.c_str(), static_cast<int>(wide.size()), rect, format);
}

BOOL ProgramTextOut(HDC dc, int x, int y, const char* text, int count)
{
    if (!UsesUnicodeCalls())
        return TextOutA(dc, x, y, text, count);
    UNICODE_CALL(gdi32, TextOutW);
    std::wstring wide = ShownText(text, count);
    return TextOutW_(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

LPITEMIDLIST BrowseForProgramFolder(BROWSEINFOA* info)
{
    if (!UsesUnicodeCalls()) {
        SYSTEM_CALL(shell32, SHBrowseForFolderA);
        return SHBrowseForFolderA_ != nullptr ? SHBrowseForFolderA_(info) : nullptr;
    }
    SYSTEM_CALL(shell32, SHBrowseForFolderW);
    CUnicodeText title(info->lpszTitle, kReplaceBroken);
    wchar_t displayName[MAX_PATH] = L"";
    BROWSEINFOW wide = {};
    wide.hwndOwner = info->hwndOwner;
    wide.pidlRoot = info->pidlRoot;
    wide.pszDisplayName = displayName;
    wide.lpszTitle = title.Get();
    wide.ulFlags = info->ulFlags;
    wide.lpfn = info->lpfn;
    wide.lParam = info->lParam;
    LPITEMIDLIST chosen = SHBrowseForFolderW_(&wide);
    info->iImage = wide.iImage;
    if (chosen != nullptr && info->pszDisplayName != nullptr)
        ToProgramText(displayName, info->pszDisplayName, MAX_PATH);
    return chosen;
}
