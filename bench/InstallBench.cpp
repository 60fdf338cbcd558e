// The install benchmark under Wine: the real ZVSetup.exe installs a disc of large and small files through its
// real dialogs, and the time from "次へ" to the finish message is set against the floor, our own Win32 copy loop
// (bench/CopyFloor.cpp: the same calls with no window and no log), run right before each timed install: the two
// make a pair that meets the machine in the same state, and the fastest of each over the pairs count. Also printed:
// what install-bench.sh measured earlier in the same run, a plain copy of the same tree (cp -r) and the floor before
// the installer started. During one more install, untimed, the copy
// dialog is asked WM_NULL over and over (it must answer within 100 ms); then 20 installs of the disc's first type are
// cancelled at random moments, some inside large files and some among small ones, and the time from the click to the
// end of the copy dialog is taken.
//   install_bench DISC BASE CP_SECONDS FLOOR_BEFORE_SECONDS
//       DISC holds ZVSetup.exe, Install.ifo and the files; BASE is the base folder to install below (Windows paths).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/BenchClock.h"
#include "tests/e2e/E2eHarness.h"
#include "tests/e2e/E2eInspect.h"

namespace {

const DWORD kWaitMs = 600000;
const long long kChunkBytes = 1048576;
const double kFormerPaceSeconds = 0.010; // the fixed pause after every chunk that the copy once made
const double kFloorFactor = 1.25;
const double kFloorAllowance = 0.5;
const double kAnswerBoundMs = 100;
const double kCancelBoundMs = 100;
// Pairs of a floor and an install: the machine's pace drifts over a run (the same floor has taken 1.7 s and 4 s
// minutes apart), so each install is set against a floor taken right before it.
const int kTimedPairs = 5;

const int kCancelRuns = 20;
const int kInstallId = 1001;
const int kFirstTypeId = 5000;
const int kCopyFileTextId = 1024;
const int kCopyCancelId = 1023;
const char kSettingsTitle[] = "セットアップの設定";
const char kCopyTitle[] = "コピー中...";
const char kLargeFolder[] = "big\\";
const char kSmallFolder[] = "small\\";
const char kUndoText[] = "インストール中にエラーが発生しました\nアンドゥーします";

// Every timed install starts with what the run before wrote already on the disk, as install-bench.sh has it for the
// copies the install is set against: otherwise the host's write-back of the last run falls into the next one.
// Wine's start.exe runs the host's sync and waits for it.
void SettleDisk()
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    char commandLine[] = "start.exe /wait /unix /bin/sync";
    if (CreateProcessA(
            nullptr, commandLine, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        fprintf(stderr, "install_bench: the disk cannot be settled before a run\n");
    }
}

struct TREE_SIZE {
    long long files = 0;
    long long bytes = 0;
    long long chunks = 0;
};

void Measure(const std::string& folder, TREE_SIZE* size)
{
    for (const std::string& name : ListTree(folder)) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (name.back() == '\\' || !GetFileAttributesExA((folder + "\\" + name).c_str(), GetFileExInfoStandard, &data))
            continue;
        long long bytes = (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        size->files++;
        size->bytes += bytes;
        size->chunks += (bytes + kChunkBytes - 1) / kChunkBytes;
    }
}

const char* Verdict(bool met)
{
    return met ? "met" : "NOT met";
}

// Asks the installer's copy dialog WM_NULL again and again while the copy runs, as the system does to see whether
// a window hangs; keeps the slowest answer.
struct ANSWER_PROBE {
    DWORD processId = 0;
    volatile LONG stop = 0;
    double worstMs = 0;
    long long probes = 0;
    long long late = 0; // answered after the bound, or not within a second
};

DWORD WINAPI ProbeAnswers(void* param)
{
    ANSWER_PROBE* probe = static_cast<ANSWER_PROBE*>(param);
    HWND dialog = nullptr;
    while (!probe->stop) {
        if (dialog == nullptr || !IsWindowVisible(dialog)) {
            dialog = FindWindowA("#32770", kCopyTitle);
            DWORD owner = 0;
            if (dialog != nullptr)
                GetWindowThreadProcessId(dialog, &owner);
            if (dialog == nullptr || owner != probe->processId || !IsWindowVisible(dialog)) {
                dialog = nullptr;
                Sleep(5);
                continue;
            }
        }
        DWORD_PTR result = 0;
        double start = NowMs();
        LRESULT answered = SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result);
        double ms = NowMs() - start;
        // A dialog that ended while it was asked did not hang.
        if (!IsWindowVisible(dialog))
            continue;
        probe->probes++;
        probe->worstMs = std::max(probe->worstMs, answered ? ms : 1000.0);
        if (!answered || ms > kAnswerBoundMs)
            probe->late++;
        // Often enough to catch any stall of 100 ms, seldom enough not to slow what it watches.
        Sleep(10);
    }
    return 0;
}

// Presses the menu's install button and answers the question whether to install again; the settings dialog.
HWND OpenSettings(HWND subForm, DWORD processId)
{
    PostMessageA(subForm, WM_COMMAND, MAKEWPARAM(kInstallId, BN_CLICKED),
        reinterpret_cast<LPARAM>(GetDlgItem(subForm, kInstallId)));
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 60000) {
        if (HWND settings = FindWindowA("#32770", kSettingsTitle)) {
            if (IsWindowVisible(settings))
                return settings;
        }
        FOUND_BOX again = WaitForBox("確認", 20, processId);
        if (again.window != nullptr)
            AnswerBox(again, IDYES);
    }
    return nullptr;
}

// Answers the boxes that follow a cancelled copy up to the undo's; false when the install finished instead (its
// "成功" box answered too) or no box came.
bool AnswerUntilUndone(DWORD processId)
{
    for (int box = 0; box < 4; box++) {
        FOUND_BOX found = WaitForBox(nullptr, 60000, processId);
        if (found.window == nullptr)
            return false;
        AnswerBox(found, found.caption == "確認" ? IDCANCEL : IDOK);
        if (found.text == kUndoText)
            return true;
        if (found.caption == "成功")
            return false;
    }
    return false;
}

// One install of the whole disc: the seconds from "次へ" to the finish message, or -1 when it did not finish.
double TimedInstall(HWND subForm, DWORD processId)
{
    HWND settings = OpenSettings(subForm, processId);
    if (settings == nullptr)
        return -1;
    PostMessageA(GetDlgItem(settings, kFirstTypeId + 1), BM_CLICK, 0, 0);
    Sleep(100);
    double start = NowMs();
    PostMessageA(settings, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    // Looked for every 10 ms: the harness's wait looks every 50.
    for (;;) {
        HWND box = FindWindowA("#32770", "成功");
        DWORD owner = 0;
        if (box != nullptr && GetWindowThreadProcessId(box, &owner) && owner == processId && IsWindowVisible(box))
            break;
        if (NowMs() - start > kWaitMs)
            return -1;
        Sleep(10);
    }
    double seconds = (NowMs() - start) / 1000.0;
    FOUND_BOX done = WaitForBox("成功", kWaitMs, processId);
    AnswerBox(done, IDOK);
    return seconds;
}

struct CANCEL_FIGURES {
    double worstMs = 0;
    int insideLarge = 0;
    int amongSmall = 0;
    int missed = 0; // the copy had ended before the click
};

// One install of the first type (the four large files, then 1,000 small ones), cancelled a random time after the copy
// reached a file whose path holds aimedAt; the latency goes into figures.
bool CancelOnce(HWND subForm, DWORD processId, const std::string& installFolder, const char* aimedAt, DWORD maxDelayMs,
    CANCEL_FIGURES* figures)
{
    HWND settings = OpenSettings(subForm, processId);
    if (settings == nullptr)
        return false;
    PostMessageA(GetDlgItem(settings, kFirstTypeId), BM_CLICK, 0, 0);
    Sleep(100);
    PostMessageA(GetDlgItem(settings, IDOK), BM_CLICK, 0, 0);
    // Looked for every millisecond: the large files go by in a moment.
    HWND dialog = nullptr;
    DWORD start = GetTickCount();
    for (DWORD owner = 0; owner != processId || !IsWindowVisible(dialog); Sleep(1)) {
        if (GetTickCount() - start > 60000)
            return false;
        dialog = FindWindowA("#32770", kCopyTitle);
        owner = 0;
        if (dialog != nullptr)
            GetWindowThreadProcessId(dialog, &owner);
    }
    start = GetTickCount();
    // Large files come first: once the small ones have begun, aiming at a large one is over.
    for (std::string text; IsWindowVisible(dialog) && GetTickCount() - start < 60000; Sleep(1)) {
        text = ControlText(dialog, kCopyFileTextId);
        if (text.find(aimedAt) != std::string::npos || text.find(kSmallFolder) != std::string::npos)
            break;
    }
    Sleep(static_cast<DWORD>(rand()) % (maxDelayMs + 1));
    std::string fileText = ControlText(dialog, kCopyFileTextId);
    double clicked = NowMs();
    PostMessageA(GetDlgItem(dialog, kCopyCancelId), BM_CLICK, 0, 0);
    while (IsWindow(dialog) && IsWindowVisible(dialog) && NowMs() - clicked < 60000)
        Sleep(1);
    double latency = NowMs() - clicked;
    if (!AnswerUntilUndone(processId)) {
        // Installed after all: the next install starts from an empty folder again.
        fprintf(stderr, "install_bench: a cancel %.1f ms after the click at \"%s\" did not stop the install\n", latency,
            fileText.c_str());
        figures->missed++;
        RemoveFolder(installFolder);
        return true;
    }
    figures->worstMs = std::max(figures->worstMs, latency);
    if (fileText.find(kLargeFolder) != std::string::npos)
        figures->insideLarge++;
    else
        figures->amongSmall++;
    return true;
}

// The floor once more, by copy_floor.exe beside this program: its seconds, or a negative number when it failed.
double RunFloor(const std::string& disc, const std::string& destination)
{
    char program[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, sizeof(program));
    std::string floorProgram = program;
    floorProgram = floorProgram.substr(0, floorProgram.rfind('\\') + 1) + "copy_floor.exe";
    SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
        return -1;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + floorProgram + "\" \"" + disc + "\" \"" + destination + "\"";
    bool started = CreateProcessA(
        nullptr, &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    std::string output;
    char chunk[256];
    DWORD read = 0;
    while (started && ReadFile(readEnd, chunk, sizeof(chunk), &read, nullptr) && read > 0)
        output.append(chunk, read);
    CloseHandle(readEnd);
    DWORD exitCode = 1;
    if (started) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    RemoveFolder(destination);
    return exitCode == 0 && !output.empty() ? atof(output.c_str()) : -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        fprintf(stderr, "usage: install_bench DISC BASE CP_SECONDS FLOOR_BEFORE_SECONDS\n");
        return 2;
    }
    std::string disc = argv[1], base = argv[2];
    double copySeconds = atof(argv[3]);
    double floorBeforeSeconds = atof(argv[4]);
    TREE_SIZE tree;
    Measure(disc + "\\big", &tree);
    Measure(disc + "\\small", &tree);

    const char* windowsKey = "Software\\Microsoft\\Windows\\CurrentVersion";
    SetRegistryString(HKEY_LOCAL_MACHINE, windowsKey, "ProgramFilesDir", base.c_str());
    CStartedProcess first;
    if (!first.Start(disc + "\\ZVSetup.exe", "", disc)) {
        fprintf(stderr, "install_bench: ZVSetup.exe did not start\n");
        return 1;
    }
    HWND menu = WaitForWindow("ZVWndClass", nullptr, 60000);
    HWND subForm = menu != nullptr ? FindWindowExA(menu, nullptr, "#32770", nullptr) : nullptr;
    DWORD processId = 0;
    if (subForm == nullptr || !GetWindowThreadProcessId(menu, &processId)) {
        fprintf(stderr, "install_bench: no menu\n");
        return 1;
    }
    // The dialog's answers are asked during an install of their own: the asking, back to back, loads the machine
    // that the timed installs share with nothing of the floor's.
    ANSWER_PROBE probe;
    probe.processId = processId;
    HANDLE prober = CreateThread(nullptr, 0, ProbeAnswers, &probe, 0, nullptr);
    bool probed = TimedInstall(subForm, processId) >= 0;
    probe.stop = 1;
    WaitForSingleObject(prober, INFINITE);
    CloseHandle(prober);
    RemoveFolder(base + "\\ZVBench");
    double seconds = 0, floorSeconds = 0;
    std::string pairs;
    for (int run = 0; probed && run < kTimedPairs; run++) {
        SettleDisk();
        double runFloor = RunFloor(disc, base + "\\floor-copy");
        SettleDisk();
        double runSeconds = TimedInstall(subForm, processId);
        probed = runFloor > 0 && runSeconds >= 0;
        seconds = run == 0 ? runSeconds : std::min(seconds, runSeconds);
        floorSeconds = run == 0 ? runFloor : std::min(floorSeconds, runFloor);
        char pair[128];
        sprintf(pair, "%s%.2f / %.2f s", run == 0 ? "" : ", ", runSeconds, runFloor);
        pairs += pair;
        RemoveFolder(base + "\\ZVBench");
    }
    if (!probed) {
        fprintf(stderr, "install_bench: the install or the floor did not finish\n");
        return 1;
    }

    srand(GetTickCount());
    CANCEL_FIGURES cancels;
    for (int run = 0; run < kCancelRuns; run++) {
        bool large = run % 2 == 0;
        if (!CancelOnce(subForm, processId, base + "\\ZVBench", large ? kLargeFolder : kSmallFolder, large ? 10 : 300,
                &cancels)) {
            fprintf(stderr, "install_bench: cancelled install %d went wrong\n", run + 1);
            return 1;
        }
    }
    PostMessageA(menu, WM_CLOSE, 0, 0);

    double mebibytes = tree.bytes / 1048576.0;
    double formerPacing = tree.chunks * kFormerPaceSeconds;
    double target = kFloorFactor * floorSeconds + kFloorAllowance;
    printf("install of %lld files, %.1f MiB (%lld chunks of at most 1 MiB) through the real dialogs\n", tree.files,
        mebibytes, tree.chunks);
    printf("  installer         %7.2f s   %7.1f MiB/s   %7.1f files/s\n", seconds, mebibytes / seconds,
        tree.files / seconds);
    printf("  cp -r             %7.2f s   %7.1f MiB/s\n", copySeconds, copySeconds > 0 ? mebibytes / copySeconds : 0.0);
    printf("  plain Win32 copy  %7.2f s   %7.1f MiB/s   %7.1f files/s   (the floor: same calls, no window, no log)\n",
        floorSeconds, mebibytes / floorSeconds, tree.files / floorSeconds);
    printf("  pairs             installer / floor: %s\n", pairs.c_str());
    printf("  floor earlier     %7.2f s   (before the installer started)\n", floorBeforeSeconds);
    printf("  former pacing     %7.2f s   (%lld chunks x 10 ms asleep)\n", formerPacing, tree.chunks);
    printf("  target            %7.2f s   (1.25 x floor + 0.5 s): %s, installer = %.2f x floor\n", target,
        Verdict(seconds <= target), seconds / floorSeconds);
    printf("  answers WM_NULL   worst %6.1f ms of %lld probes during the copy, %lld late (bound 100 ms): %s\n",
        probe.worstMs, probe.probes, probe.late, Verdict(probe.probes > 0 && probe.late == 0));
    printf("  cancel latency    worst %6.1f ms of %d clicks (%d inside large files, %d among small ones, %d after the "
           "copy had ended; bound 100 ms): %s\n",
        cancels.worstMs, kCancelRuns, cancels.insideLarge, cancels.amongSmall, cancels.missed,
        Verdict(cancels.worstMs <= kCancelBoundMs && cancels.missed < kCancelRuns));
    return 0;
}
