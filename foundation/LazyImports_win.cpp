// user32 and gdi32 are bound at the first call of each of their functions, not when the program is loaded. The start
// from the disc only reads the script, copies the program to the work folder and starts the copy: it needs neither
// DLL, and loading user32 (with the display connection and input context it sets up) was the larger part of that
// start. The copy loads both with its first window call.
//
// How: the compiler calls every function that windows.h declares through its import pointer (__imp__Name@bytes on
// i686, __imp_Name on x86_64). This file defines those pointers itself for every user32 and gdi32 function the
// program calls, so that the linker takes them from here rather than from the import libraries. Each starts out at a
// first-call function of the same type, which loads the DLL by its full path in the system folder, finds the
// function by name, puts it in the pointer and calls it; later calls go straight to the system's function.
//
// A function missing from this list is imported as before: the program's import test fails on any user32 or gdi32
// import, and the list is held to the same reviewed list of functions that every Windows the program accepts
// exports. A function that cannot be found at its first call ends the program with the system's fatal box.
#include <windows.h>

#include <cstring>

#include "foundation/SystemLibraries.h"

namespace {

const char kUser32[] = "user32.dll";
const char kGdi32[] = "gdi32.dll";

FARPROC BindLazyImport(const char* dll, const char* name)
{
    FARPROC function = SystemEntry(dll, name);
    if (function == nullptr) {
        // Not on a system the program accepts: every function here is in user32 and gdi32 of Windows 95 and 2000.
        char message[160] = "";
        if (strlen(name) < 64) {
            strcpy(message, name);
            strcpy(message + strlen(message), "が見つかりません: ");
            strcpy(message + strlen(message), dll);
        }
        FatalAppExitA(0, message);
    }
    return function;
}

template <typename FUNCTION> struct LAZY_IMPORT;
template <typename RESULT, typename... ARGUMENTS> struct LAZY_IMPORT<RESULT(WINAPI*)(ARGUMENTS...)> {
    typedef RESULT(WINAPI* FUNCTION)(ARGUMENTS...);
    // The bytes of arguments that the i686 name carries after its "@".
    static constexpr int kArgumentBytes = (0 + ... + static_cast<int>((sizeof(ARGUMENTS) + 3) / 4 * 4));

    template <FUNCTION* POINTER, const char* DLL, const char* NAME> static RESULT WINAPI FirstCall(ARGUMENTS... arguments)
    {
        // A caller may hold the pointer's first value for a while (the compiler takes import pointers as fixed):
        // the function is then found once only all the same.
        FUNCTION function = *POINTER;
        if (function == &FirstCall<POINTER, DLL, NAME>) {
            function = reinterpret_cast<FUNCTION>(reinterpret_cast<void*>(BindLazyImport(DLL, NAME)));
            *POINTER = function; // the same value whichever thread writes it
        }
        return function(arguments...);
    }
};

} // namespace

// The x86_64 headers mark wvsprintfA's va_list with an attribute that a template argument drops; the type is the same.
#pragma GCC diagnostic ignored "-Wignored-attributes"

#ifdef _WIN64
#define IMPORT_POINTER_NAME(function, bytes) "__imp_" #function
#else
#define IMPORT_POINTER_NAME(function, bytes) "__imp__" #function "@" #bytes
#endif

// LAZY(User32, MessageBoxA, 16): the import pointer of user32's MessageBoxA, whose arguments take 16 bytes on i686.
#define LAZY(dll, function, bytes)                                                                                     \
    namespace {                                                                                                        \
    const char k##function##Name[] = #function;                                                                        \
    typedef LAZY_IMPORT<decltype(&::function)> function##_LAZY;                                                        \
    }                                                                                                                  \
    static_assert(sizeof(void*) == 8 || function##_LAZY::kArgumentBytes == bytes, #function ": argument bytes");      \
    extern "C" decltype(&::function) g_lazy##function __asm__(IMPORT_POINTER_NAME(function, bytes));                  \
    decltype(&::function) g_lazy##function                                                                             \
        = &function##_LAZY::FirstCall<&g_lazy##function, k##dll, k##function##Name>;

LAZY(Gdi32, BitBlt, 36)
LAZY(Gdi32, CreateCompatibleBitmap, 12)
LAZY(Gdi32, CreateCompatibleDC, 4)
LAZY(Gdi32, DeleteDC, 4)
LAZY(Gdi32, GetObjectA, 12)
LAZY(Gdi32, GetStockObject, 4)
LAZY(Gdi32, PatBlt, 24)
LAZY(Gdi32, SelectObject, 8)
LAZY(Gdi32, SetBkMode, 8)
LAZY(Gdi32, SetTextColor, 8)
LAZY(Gdi32, TextOutA, 20)

LAZY(User32, AdjustWindowRect, 12)
LAZY(User32, AdjustWindowRectEx, 16)
LAZY(User32, BeginPaint, 8)
LAZY(User32, CheckDlgButton, 12)
LAZY(User32, ClientToScreen, 8)
LAZY(User32, CreateDialogParamA, 20)
LAZY(User32, CreateWindowExA, 48)
LAZY(User32, DefWindowProcA, 16)
LAZY(User32, DestroyWindow, 4)
LAZY(User32, DialogBoxParamA, 20)
LAZY(User32, DispatchMessageA, 4)
LAZY(User32, DrawFocusRect, 8)
LAZY(User32, DrawFrameControl, 16)
LAZY(User32, DrawTextA, 20)
LAZY(User32, EnableWindow, 8)
LAZY(User32, EndDialog, 8)
LAZY(User32, EndPaint, 8)
LAZY(User32, GetActiveWindow, 0)
LAZY(User32, GetCapture, 0)
LAZY(User32, GetClassNameA, 12)
LAZY(User32, GetClientRect, 8)
LAZY(User32, GetDC, 4)
LAZY(User32, GetDlgItem, 8)
LAZY(User32, GetFocus, 0)
LAZY(User32, GetMenu, 4)
LAZY(User32, GetMessageA, 16)
LAZY(User32, GetParent, 4)
LAZY(User32, GetQueueStatus, 4)
LAZY(User32, GetSystemMenu, 8)
LAZY(User32, GetSystemMetrics, 4)
LAZY(User32, GetWindow, 8)
LAZY(User32, GetWindowDC, 4)
LAZY(User32, GetWindowLongA, 8)
LAZY(User32, GetWindowRect, 8)
LAZY(User32, GetWindowTextA, 12)
LAZY(User32, GetWindowTextLengthA, 4)
LAZY(User32, InflateRect, 12)
LAZY(User32, InvalidateRect, 12)
LAZY(User32, IsDialogMessageA, 8)
LAZY(User32, IsDlgButtonChecked, 8)
LAZY(User32, LoadCursorA, 8)
LAZY(User32, LoadIconA, 8)
LAZY(User32, LoadImageA, 24)
LAZY(User32, MapWindowPoints, 16)
LAZY(User32, MessageBoxA, 16)
LAZY(User32, MoveWindow, 24)
LAZY(User32, PeekMessageA, 20)
LAZY(User32, PostMessageA, 16)
LAZY(User32, PostQuitMessage, 4)
LAZY(User32, RegisterClassExA, 4)
LAZY(User32, ReleaseCapture, 0)
LAZY(User32, ReleaseDC, 8)
LAZY(User32, ScreenToClient, 8)
LAZY(User32, SendDlgItemMessageA, 20)
LAZY(User32, SendMessageA, 16)
LAZY(User32, SetActiveWindow, 4)
LAZY(User32, SetCapture, 4)
LAZY(User32, SetDlgItemTextA, 12)
LAZY(User32, SetFocus, 4)
LAZY(User32, SetForegroundWindow, 4)
LAZY(User32, SetMenu, 8)
LAZY(User32, SetWindowLongA, 12)
LAZY(User32, SetWindowPos, 28)
LAZY(User32, SetWindowTextA, 8)
LAZY(User32, ShowWindow, 8)
LAZY(User32, TranslateMessage, 4)
LAZY(User32, UpdateWindow, 4)
LAZY(User32, wvsprintfA, 12)
#ifdef _WIN64
// Functions of their own on x86_64 only (macros of GetWindowLongA and SetWindowLongA on i686). Indented: the import
// test reads the i686 lines of this list, those that begin with LAZY.
    LAZY(User32, GetWindowLongPtrA, 8)
    LAZY(User32, SetWindowLongPtrA, 12)
#endif

// wsprintfA takes a variable list of arguments and the caller's convention: its pointer leads to a function of this
// file that formats through wvsprintfA, itself bound at its first call.
namespace {
int __cdecl FormatThroughUser32(LPSTR buffer, LPCSTR format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    int length = wvsprintfA(buffer, format, arguments);
    va_end(arguments);
    return length;
}
} // namespace
#ifdef _WIN64
extern "C" decltype(&::wsprintfA) g_lazywsprintfA __asm__("__imp_wsprintfA");
#else
extern "C" decltype(&::wsprintfA) g_lazywsprintfA __asm__("__imp__wsprintfA");
#endif
decltype(&::wsprintfA) g_lazywsprintfA = &FormatThroughUser32;
