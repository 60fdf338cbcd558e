// The script's messages and sounds: a box, a text file in Notepad, or a wave file played without waiting.
#include "foundation/FileCalls.h"
#include "foundation/ProcessCalls_win.h"
#include "foundation/ScopedHandles.h"
#include "foundation/SystemLibraries.h"
#include "ui/MainWnd.h"
#include "ui/MenuTexts.h"

int CMainWnd::ShowScriptMessage(const char* text, UINT type)
{
    if (text == nullptr || text[0] == '\0')
        return 0;
    if (text[0] == '%') {
        // Notepad by its full path in the Windows folder: named alone, it would be looked for beside the program
        // first, in a folder every user can write.
        char windows[kPathBytes], notepad[kPathBytes];
        UINT length = ZVGetWindowsDirectory(windows, sizeof(windows));
        if (length > 0 && length < sizeof(windows) && *JoinPath(notepad, windows, "notepad.exe") != '\0') {
            CZVString commandLine = CZVString::Format("notepad.exe %s", text + 1);
            STARTUPINFOA startup = {};
            startup.cb = sizeof(startup);
            startup.dwFlags = STARTF_USESHOWWINDOW;
            startup.wShowWindow = SW_SHOWNORMAL;
            CProcessHandles process;
            ZVCreateProcess(notepad, commandLine.GetBuffer(), nullptr, nullptr, FALSE,
                CREATE_DEFAULT_ERROR_MODE | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, process.Info());
        }
        return 0;
    }
    return MessageBox(text, ZV_CAPTION_INFORMATION, type);
}

bool CMainWnd::PlayScriptSound(const char* fileName)
{
    if (fileName == nullptr || fileName[0] == '\0')
        return false;
    return PlaySoundAsync(fileName);
}
