// The copy dialog (template 103): its procedure, the cancel button, and how a disc is found.
#include "engine/InstallPlan.h"
#include "foundation/ScopedHandles.h"
#include "foundation/SystemLibraries.h"
#include "resources/resource.h"
#include "startup/UnattendedReport.h"
#include "ui/MainWnd.h"

#include <commctrl.h> // after <windows.h>, which it needs

#include <initializer_list>

namespace {

const UINT kCopyMessage = WM_APP + 12; // runs the whole copy inside the dialog's own handler

} // namespace

INT_PTR CALLBACK CMainWnd::CopyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    CMainWnd* self = reinterpret_cast<CMainWnd*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (self == nullptr)
        return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        self->sourceHandle = self->destHandle = INVALID_HANDLE_VALUE;
        self->discBytesDone = 0;
        self->copyCursor = 0;
        self->currentFileNumber = 0;
        self->copyCancelled = false;
        for (int bar : {IDC_DISC_PROGRESS, IDC_FILE_PROGRESS}) {
            ::PostMessageA(GetDlgItem(dialog, bar), PBM_SETRANGE, 0, MAKELPARAM(0, 100));
            ::PostMessageA(GetDlgItem(dialog, bar), PBM_SETPOS, 0, 0);
        }
        // An unattended run keeps the dialog hidden and runs the copy itself.
        if (IsUnattendedRun())
            return TRUE;
        // The copy runs before the dialog's loop would show it at its first idle moment: shown now, so that the
        // progress is seen from the first file.
        ::ShowWindow(dialog, SW_SHOW);
        ::PostMessageA(dialog, kCopyMessage, 0, 0);
        return TRUE;
    case kCopyMessage: {
        // A cancel ends the dialog with 2 at once; the copy only sees it when it next looks, and then stops.
        bool copied = self->CopyFiles(dialog);
        EndDialog(dialog, copied && !self->copyCancelled ? 1 : 2);
        return TRUE;
    }
    case WM_COMMAND:
        // Only the cancel button: the Escape key's IDCANCEL does nothing.
        if (LOWORD(wParam) == IDC_COPY_CANCEL)
            self->CancelCopy(dialog);
        return TRUE;
    default: return FALSE;
    }
}

void CMainWnd::CancelCopy(HWND dialog)
{
    CloseCopyHandles();
    copyCancelled = true;
    EndDialog(dialog, 2);
}

bool CMainWnd::FileExists(const char* path)
{
    WIN32_FIND_DATAA found;
    CFindHandle search(FindFirstFileA(path, &found));
    return search.IsValid();
}

bool CMainWnd::FindDisc(int n)
{
    CZVString marker = DiscMarkerName(n);
    if (FileExists(marker.GetString()))
        return true;
    // An empty drive must not ask the user to insert a disc.
    UINT previousMode = SetErrorMode(kQuietErrorMode);
    bool found = false;
    for (char letter = 'A'; letter <= 'Z' && !found; letter++) {
        char root[4] = {letter, ':', '\\', '\0'};
        if (GetDriveTypeA(root) != DRIVE_CDROM)
            continue;
        char markerPath[kPathBytes];
        if (*JoinPath(markerPath, root, marker.GetString()) != '\0' && FileExists(markerPath))
            found = SetCurrentDirectoryA(root) != FALSE;
    }
    SetErrorMode(previousMode);
    // Disc 1 needs no marker: its files are read from the start folder.
    return found || n == 1;
}
