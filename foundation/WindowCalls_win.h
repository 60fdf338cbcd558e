// The window calls that take or return a text, with the ANSI functions' own signatures in the program's Shift-JIS
// text. On the 95 family each is the A function unchanged; on the NT family it converts and calls the W function
// (foundation/UnicodeText_win.h), so the program's classes and dialogs are Unicode windows and show Japanese
// whatever the system's code page.
//
// A program window must be made, fed and answered by one kind of call throughout: a class registered here gets
// W messages on the NT family, so its procedure passes them to DefProgramWindowProc and its loop pumps with the
// calls below. Texts that are only shown decode broken bytes as U+30FB; names (classes, templates) that hold them
// make the call fail with ERROR_INVALID_NAME.
#pragma once

#include <string>

#include "foundation/SystemApi.h"

#include <shlobj.h>

// Classes and windows. The class's and the menu's names are program texts.
ATOM RegisterProgramClass(const WNDCLASSEXA* windowClass);
HWND CreateProgramWindow(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
    int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param);
LRESULT DefProgramWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The dialogs of the module's templates; templateName a MAKEINTRESOURCEA number or a name.
INT_PTR ProgramDialogBox(HINSTANCE instance, const char* templateName, HWND owner, DLGPROC procedure, LPARAM param);
HWND CreateProgramDialog(HINSTANCE instance, const char* templateName, HWND owner, DLGPROC procedure, LPARAM param);

// The message loop.
BOOL GetProgramMessage(MSG* message, HWND window, UINT first, UINT last);
BOOL PeekProgramMessage(MSG* message, HWND window, UINT first, UINT last, UINT remove);
BOOL IsProgramDialogMessage(HWND dialog, MSG* message);
LRESULT DispatchProgramMessage(const MSG* message);

// Texts of windows and controls.
BOOL SetProgramWindowText(HWND window, const char* text);
// The window's text whole; "" for a window without one.
std::string ProgramWindowText(HWND window);
// GetWindowTextA's contract: at most maxCount - 1 bytes, cut on a character boundary; the bytes copied.
int GetProgramWindowText(HWND window, char* buffer, int maxCount);
BOOL SetProgramDlgItemText(HWND dialog, int id, const char* text);
// The program's boxes: caption and text as the script and the program word them.
int ShowProgramMessageBox(HWND owner, const char* text, const char* caption, UINT type);

// Drawing texts: DrawTextA's and TextOutA's contracts (a count of -1 takes the terminated text).
int DrawProgramText(HDC dc, const char* text, int count, RECT* rect, UINT format);
BOOL ProgramTextOut(HDC dc, int x, int y, const char* text, int count);

// The folder browser: SHBrowseForFolderA's contract, pszDisplayName (MAX_PATH bytes) and lpszTitle program texts.
// Where the chosen folder's display name does not fit whole, pszDisplayName is empty. A callback (lpfn) gets the
// W messages on the NT family.
LPITEMIDLIST BrowseForProgramFolder(BROWSEINFOA* info);
