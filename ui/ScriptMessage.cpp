// The script's messages and sounds: a box, a text file in Notepad, or a wave file played without waiting.
#include "ui/MainWnd.h"

#include <mmsystem.h> // after <windows.h>, which it needs

#include "startup/UnattendedReport.h"
#include "ui/MenuTexts.h"

int CMainWnd::ShowScriptMessage(const char* text, UINT type)
{
    if (text == nullptr || text[0] == '\0')
        return 0;
    if (IsUnattendedRun() && text[0] == '%') {
        ReportLine(ZV_CAPTION_INFORMATION, text); // nobody would read the file
        return 0;
    }
    if (text[0] == '%') {
        CZVString commandLine = CZVString::Format("notepad.exe %s", text + 1);
        WinExec(commandLine.GetString(), SW_SHOWNORMAL);
        return 0;
    }
    return MessageBox(text, ZV_CAPTION_INFORMATION, type);
}

bool CMainWnd::PlayScriptSound(const char* fileName)
{
    if (fileName == nullptr || fileName[0] == '\0' || IsUnattendedRun())
        return false;
    return sndPlaySoundA(fileName, SND_ASYNC) != FALSE;
}
