// The install benchmark under Wine: the real ZVSetup.exe installs a disc of large and small files through its
// real dialogs, and the time from "次へ" to the finish message is set against two bounds measured in the same run
// by install-bench.sh: a plain copy of the same tree (cp -r) and the pacing the copy keeps (10 ms after every
// chunk of 1 MiB or less, during which the windows stay alive).
//   install_bench DISC BASE CP_SECONDS    DISC holds ZVSetup.exe, Install.ifo and the files; BASE is the base
//                                         folder to install below (Windows paths).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/e2e/E2eHarness.h"
#include "tests/e2e/E2eInspect.h"

namespace {

const DWORD kWaitMs = 600000;
const double kPaceSeconds = 0.010;
const long long kChunkBytes = 1048576;
const double kTargetFactor = 1.10;

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

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        fprintf(stderr, "usage: install_bench DISC BASE CP_SECONDS\n");
        return 2;
    }
    std::string disc = argv[1], base = argv[2];
    double copySeconds = atof(argv[3]);
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
    if (subForm == nullptr) {
        fprintf(stderr, "install_bench: no menu\n");
        return 1;
    }
    PostMessageA(subForm, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
    HWND settings = WaitForWindow("#32770", "セットアップの設定", 60000);
    if (settings == nullptr) {
        fprintf(stderr, "install_bench: no settings dialog\n");
        return 1;
    }
    DWORD start = GetTickCount();
    PostMessageA(settings, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    FOUND_BOX done = WaitForBox("成功", kWaitMs);
    double seconds = (GetTickCount() - start) / 1000.0;
    if (done.window == nullptr) {
        fprintf(stderr, "install_bench: the install did not finish\n");
        return 1;
    }
    AnswerBox(done, IDOK);
    PostMessageA(menu, WM_CLOSE, 0, 0);

    double mebibytes = tree.bytes / 1048576.0;
    double pacing = tree.chunks * kPaceSeconds;
    double target = kTargetFactor * (pacing + copySeconds);
    printf(
        "install of %lld files, %.1f MiB (%lld chunks) through the real dialogs\n", tree.files, mebibytes, tree.chunks);
    printf(
        "  installer    %7.2f s   %7.1f MiB/s   %7.1f files/s\n", seconds, mebibytes / seconds, tree.files / seconds);
    printf("  cp -r        %7.2f s   %7.1f MiB/s\n", copySeconds, copySeconds > 0 ? mebibytes / copySeconds : 0.0);
    printf("  pacing bound %7.2f s   (%lld chunks x 10 ms)\n", pacing, tree.chunks);
    printf("  target       %7.2f s   (1.10 x (pacing + cp)): %s, %.2f x the bound sum\n", target,
        seconds <= target ? "met" : "NOT met", seconds / (pacing + copySeconds));
    return 0;
}
