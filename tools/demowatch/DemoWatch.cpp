// demowatch: the demo's hands under Wine. It finds the installer's window (class "ZVWndClass"), answers the
// message boxes the installer shows on the way with OK, and closes the installer at the end.
//   demowatch run EXE FOLDER     starts EXE as the work copy does, with the command line
//                                "EXE" -temp -dir:"FOLDER" in FOLDER, and waits for it (a command line given to
//                                Wine from a shell would have its quotes escaped). Exit: the installer's exit code.
//   demowatch menu TIMEOUT_MS    waits until the window is shown with no box in front of it; prints its
//                                rectangle as "WIDTHxHEIGHT+X+Y" and its title on a second line (Shift-JIS).
//                                Exit 0, or 1 when no such window appeared in time.
//   demowatch close TIMEOUT_MS   closes every installer window (answering boxes meanwhile) and waits until they
//                                are gone. Exit 0, or 1 when one is left.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kInstallerClass[] = "ZVWndClass";
const char kDialogClass[] = "#32770";
const DWORD kPollMs = 100;

struct WINDOW_SEARCH {
    HWND installer; // the first installer window, shown or not
    DWORD installerProcess;
    int boxesAnswered;
};

bool HasClass(HWND window, const char* name)
{
    char className[64] = "";
    GetClassNameA(window, className, sizeof(className));
    return lstrcmpA(className, name) == 0;
}

BOOL CALLBACK FindInstaller(HWND window, LPARAM parameter)
{
    WINDOW_SEARCH* search = reinterpret_cast<WINDOW_SEARCH*>(parameter);
    if (!HasClass(window, kInstallerClass))
        return TRUE;
    search->installer = window;
    GetWindowThreadProcessId(window, &search->installerProcess);
    return FALSE;
}

// Presses OK on a shown dialog of the installer's process: its message boxes.
BOOL CALLBACK AnswerBox(HWND window, LPARAM parameter)
{
    WINDOW_SEARCH* search = reinterpret_cast<WINDOW_SEARCH*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->installerProcess || !HasClass(window, kDialogClass) || !IsWindowVisible(window))
        return TRUE;
    char caption[256] = "", text[1024] = "";
    GetWindowTextA(window, caption, sizeof(caption));
    GetDlgItemTextA(window, 0xFFFF, text, sizeof(text));
    printf("box: %s: %s\n", caption, text);
    fflush(stdout);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
    search->boxesAnswered++;
    return TRUE;
}

// One look at the screen: the installer's window, after answering its boxes.
WINDOW_SEARCH Look()
{
    WINDOW_SEARCH search = {nullptr, 0, 0};
    EnumWindows(FindInstaller, reinterpret_cast<LPARAM>(&search));
    if (search.installer != nullptr)
        EnumWindows(AnswerBox, reinterpret_cast<LPARAM>(&search));
    return search;
}

int WaitForMenu(DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    int quietLooks = 0;
    while (GetTickCount() - start < timeoutMs) {
        WINDOW_SEARCH search = Look();
        // Shown and no box answered for a few looks: the window has settled.
        if (search.installer != nullptr && IsWindowVisible(search.installer) && search.boxesAnswered == 0) {
            if (++quietLooks >= 5) {
                RECT rect = {};
                GetWindowRect(search.installer, &rect);
                char title[256] = "";
                GetWindowTextA(search.installer, title, sizeof(title));
                printf("%ldx%ld+%ld+%ld\n%s\n", rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top,
                    title);
                return 0;
            }
        } else {
            quietLooks = 0;
        }
        Sleep(kPollMs);
    }
    fprintf(stderr, "demowatch: no installer window appeared\n");
    return 1;
}

int CloseInstaller(DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        WINDOW_SEARCH search = Look();
        if (search.installer == nullptr)
            return 0;
        PostMessageA(search.installer, WM_CLOSE, 0, 0);
        Sleep(kPollMs);
    }
    fprintf(stderr, "demowatch: the installer did not close\n");
    return 1;
}

int RunInstaller(const char* program, const char* folder)
{
    char commandLine[1024];
    wsprintfA(commandLine, "\"%s\" -temp -dir:\"%s\"", program, folder);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program, commandLine, nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, folder, &startup,
            &process)) {
        fprintf(stderr, "demowatch: %s did not start (error %lu)\n", program, GetLastError());
        return 1;
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && strcmp(argv[1], "run") == 0)
        return RunInstaller(argv[2], argv[3]);
    if (argc != 3) {
        fprintf(stderr, "usage: demowatch menu|close TIMEOUT_MS | run EXE FOLDER\n");
        return 2;
    }
    DWORD timeoutMs = static_cast<DWORD>(strtoul(argv[2], nullptr, 10));
    if (strcmp(argv[1], "menu") == 0)
        return WaitForMenu(timeoutMs);
    if (strcmp(argv[1], "close") == 0)
        return CloseInstaller(timeoutMs);
    fprintf(stderr, "demowatch: unknown command %s\n", argv[1]);
    return 2;
}
