// A program for the extra buttons' tests: it writes, into probe.txt beside itself, whether the menu window was
// enabled while it ran and which folder it ran in, and ends after a short while. It looks for the menu by the
// title the tests give it, so that installers of other tests running at the same time are not mistaken for it.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main()
{
    Sleep(300); // long enough for the menu to be waiting
    HWND menu = FindWindowA("ZVWndClass", "献立表セットアップメニュー");
    char folder[MAX_PATH] = "", report[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(folder), folder);
    GetModuleFileNameA(nullptr, report, sizeof(report));
    char* name = strrchr(report, '\\');
    if (name == nullptr)
        return 1;
    strcpy(name + 1, "probe.txt");
    FILE* out = fopen(report, "wb");
    if (out == nullptr)
        return 1;
    fprintf(out, "%s\n%s", menu == nullptr ? "none" : IsWindowEnabled(menu) ? "enabled" : "disabled", folder);
    fclose(out);
    return 0;
}
