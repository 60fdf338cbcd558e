// The menu start benchmark under Wine: ZVSetup.exe started from a CD-ROM drive, from the call that starts it until
// the menu window of its copy in the work folder shows, set against a bare window program (bench/BareWindow.cpp)
// started the same way from the same drive until its window shows. The starts take turns, so that all meet the
// machine in the same states; each kind's median counts. After each start the window is closed, both processes are
// let end and the work folder is removed, as a fresh start finds it. The bound: the menu within 1.35 x the bare
// window. For comparison the bare window is also started through bare_relaunch.exe, which starts it and ends calling
// nothing outside kernel32, as the installer's first start: the least that a start through a second process costs.
//   menu_start_bench LETTER DISC_UNIX_FOLDER [STARTS]
//       DISC_UNIX_FOLDER holds the sample disc with ZVSetup.exe, bare_window.exe and bare_relaunch.exe; it becomes
//       drive LETTER.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchClock.h"
#include "tests/e2e/E2eHarness.h"

namespace {

const double kBound = 1.35;
const int kDefaultStarts = 15;
const DWORD kWaitMs = 30000;
const char kMenuClass[] = "ZVWndClass";
const char kBareClass[] = "ZVBareWindow";
const char kBoxClass[] = "#32770";

// A visible top-level window of the class in another process; null when there is none.
HWND VisibleWindowOf(const char* className)
{
    HWND window = FindWindowA(className, nullptr);
    DWORD owner = 0;
    if (window == nullptr || !IsWindowVisible(window) || !GetWindowThreadProcessId(window, &owner)
        || owner == GetCurrentProcessId())
        return nullptr;
    return window;
}

// Presses OK on a message box of another process, if one shows: the sample disc greets with one.
bool AnswerAnyBox()
{
    HWND box = VisibleWindowOf(kBoxClass);
    if (box == nullptr)
        return false;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    return true;
}

struct START {
    double ms = -1;
    bool boxBeforeWindow = false; // a box had to be answered before the window showed
};

// One start of program from the disc's root until a window of className shows; then the window is closed, every
// process of the start has ended and the folder the shown program ran from is removed when it is not the disc.
START StartOnce(
    const std::string& root, const std::string& program, const char* arguments, const char* className, bool greets)
{
    START start;
    CStartedProcess first;
    double began = NowMs();
    if (!first.Start(root + program, arguments, root))
        return start;
    HWND window = nullptr;
    for (;;) {
        window = VisibleWindowOf(className);
        if (window != nullptr)
            break;
        if (greets && AnswerAnyBox())
            start.boxBeforeWindow = true;
        if (NowMs() - began > kWaitMs)
            return start;
        Sleep(1);
    }
    start.ms = NowMs() - began;

    DWORD shownId = 0;
    GetWindowThreadProcessId(window, &shownId);
    CStartedProcess shown;
    shown.Open(shownId);
    std::string image = ProcessImagePath(shown.Handle());
    // The greeting comes with the window or before it; the window is closed only once it is answered.
    for (double waited = NowMs(); greets && !start.boxBeforeWindow && NowMs() - waited < kWaitMs; Sleep(5)) {
        if (AnswerAnyBox())
            break;
    }
    for (double waited = NowMs(); !IsWindowEnabled(window) && NowMs() - waited < kWaitMs;)
        Sleep(5);
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (shown.WaitExit(kWaitMs) == STILL_ACTIVE || first.WaitExit(kWaitMs) == STILL_ACTIVE) {
        fprintf(stderr, "menu_start_bench: %s did not end\n", program.c_str());
        start.ms = -1;
    }
    std::string folder = image.substr(0, image.rfind('\\'));
    if (!folder.empty() && lstrcmpiA(folder.c_str(), root.substr(0, 2).c_str()) != 0)
        RemoveFolder(folder);
    return start;
}

double Median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    size_t middle = samples.size() / 2;
    return samples.size() % 2 != 0 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

std::string Listed(const std::vector<double>& samples)
{
    std::string text;
    for (double sample : samples) {
        char one[32];
        sprintf(one, "%s%.0f", text.empty() ? "" : " ", sample);
        text += one;
    }
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || argv[1][0] == '\0') {
        fprintf(stderr, "usage: menu_start_bench LETTER DISC_UNIX_FOLDER [STARTS]\n");
        return 2;
    }
    char letter = argv[1][0] >= 'a' && argv[1][0] <= 'z' ? static_cast<char>(argv[1][0] - 'a' + 'A') : argv[1][0];
    int starts = argc > 3 ? std::max(7, atoi(argv[3])) : kDefaultStarts;
    if (!DefineCdromDrive(letter, argv[2])) {
        fprintf(stderr, "menu_start_bench: drive %c: cannot be made a CD-ROM drive\n", letter);
        return 1;
    }
    std::string root = std::string(1, letter) + ":\\";
    int status = 0;
    std::vector<double> menuMs, bareMs, relaunchMs;
    int boxesBefore = 0;
    // One start of each first, not counted: the first start of a program after the disc came loads what the
    // later ones find in the host's caches.
    for (int run = -1; run < starts && status == 0; run++) {
        START menu = StartOnce(root, "ZVSetup.exe", "", kMenuClass, true);
        START bare = StartOnce(root, "bare_window.exe", "", kBareClass, false);
        START relaunch = StartOnce(root, "bare_relaunch.exe", "", kBareClass, false);
        if (menu.ms < 0 || bare.ms < 0 || relaunch.ms < 0) {
            fprintf(stderr, "menu_start_bench: %s did not show its window\n",
                menu.ms < 0 ? "ZVSetup.exe" : (bare.ms < 0 ? "bare_window.exe" : "bare_relaunch.exe"));
            status = 1;
        } else if (run >= 0) {
            menuMs.push_back(menu.ms);
            bareMs.push_back(bare.ms);
            relaunchMs.push_back(relaunch.ms);
            boxesBefore += menu.boxBeforeWindow ? 1 : 0;
        }
    }
    DefineCdromDrive(letter, nullptr);
    if (status != 0)
        return status;

    double menuMedian = Median(menuMs), bareMedian = Median(bareMs);
    double ratio = menuMedian / bareMedian;
    bool met = ratio <= kBound;
    printf("menu start from a CD-ROM drive, median of %d starts each (taking turns, warm wineserver)\n", starts);
    printf("  ZVSetup.exe menu  %7.0f ms   samples: %s\n", menuMedian, Listed(menuMs).c_str());
    printf("  bare window       %7.0f ms   samples: %s\n", bareMedian, Listed(bareMs).c_str());
    printf("  bare, relaunched  %7.0f ms   samples: %s\n", Median(relaunchMs), Listed(relaunchMs).c_str());
    if (boxesBefore > 0)
        printf("  (in %d starts the greeting box came before the menu window and was answered at once)\n", boxesBefore);
    printf("  ratio             %7.2f     bound %.2f x the bare window: %s\n", ratio, kBound, met ? "met" : "NOT met");
    printf("  (for comparison: the bare window started through a first program that calls only kernel32 takes %.2f x "
           "the bare window, the least a start through a second process costs here)\n",
        Median(relaunchMs) / bareMedian);
    if (!met)
        printf("  the bound is not met: this benchmark exits with 1\n");
    return met ? 0 : 1;
}
