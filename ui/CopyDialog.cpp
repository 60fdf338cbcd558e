// The copy dialog (template 103): the install's copy runs inside it, and its cancel button stops the copy.
#include "engine/Install.h"
#include "foundation/App.h"
#include "foundation/ScopedHandles.h"
#include "foundation/WindowCalls_win.h"
#include "resources/resource.h"
#include "ui/DialogFont_win.h"
#include "ui/MainWnd.h"

#include <commctrl.h> // after <windows.h>, which it needs
#include <shobjidl.h>

#include <initializer_list>

namespace {

const UINT kCopyMessage = WM_APP + 12; // runs the whole copy inside the dialog's own handler

} // namespace

bool CMainWnd::RunWithProgress(ICopyWork& work)
{
    // COM stays up for the whole copy, and with it the taskbar's list, made once.
    CComInitialization com;
    copyWork = &work;
    bool copied
        = ProgramDialogBox(hInstance, MAKEINTRESOURCEA(IDD_COPY), hwnd, CopyDialogProc, reinterpret_cast<LPARAM>(this))
        == 1;
    copyWork = nullptr;
    ReleaseTaskbarList();
    return copied;
}

INT_PTR CALLBACK CMainWnd::CopyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    CMainWnd* self = reinterpret_cast<CMainWnd*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (self == nullptr || self->copyWork == nullptr)
        return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        UseJapaneseDialogFont(dialog);
        self->copyDialog = dialog;
        for (int bar : {IDC_DISC_PROGRESS, IDC_FILE_PROGRESS}) {
            ::PostMessageA(GetDlgItem(dialog, bar), PBM_SETRANGE, 0, MAKELPARAM(0, 100));
            ::PostMessageA(GetDlgItem(dialog, bar), PBM_SETPOS, 0, 0);
        }
        // The copy runs before the dialog's loop would show it at its first idle moment: shown now, so that the
        // progress is seen from the first file.
        ::ShowWindow(dialog, SW_SHOW);
        ::PostMessageA(dialog, kCopyMessage, 0, 0);
        return TRUE;
    case kCopyMessage: {
        // A cancel ends the dialog with 2 at once; the copy only sees it when it next looks, and then stops.
        bool copied = self->copyWork->Copy();
        EndDialog(dialog, copied ? 1 : 2);
        return TRUE;
    }
    case WM_COMMAND:
        // Only the cancel button: the Escape key's IDCANCEL does nothing.
        if (LOWORD(wParam) == IDC_COPY_CANCEL) {
            self->copyWork->Cancel();
            EndDialog(dialog, 2);
        }
        return TRUE;
    case WM_DESTROY: self->copyDialog = nullptr; return FALSE;
    default: return FALSE;
    }
}

void CMainWnd::ShowCopyTexts(const char* fileText, const char* countText)
{
    SetProgramDlgItemText(copyDialog, IDC_FILE_TEXT, fileText);
    SetProgramDlgItemText(copyDialog, IDC_DISC_TEXT, countText);
}

void CMainWnd::ShowCopyBar(COPY_BAR bar, int percent)
{
    SendDlgItemMessageA(copyDialog, bar == kFileBar ? IDC_FILE_PROGRESS : IDC_DISC_PROGRESS, PBM_SETPOS,
        static_cast<WPARAM>(percent), 0);
}

void CMainWnd::ShowTaskbarProgress(int completed, int total, int state)
{
    SetTaskbarProgress(completed, total, state);
}

void CMainWnd::Breathe()
{
    while (frame != nullptr && frame->PeekAndPump()) { }
}
