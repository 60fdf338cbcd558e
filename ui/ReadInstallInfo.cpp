// The script-reading member of the main window: load, parse, and show the first syntax error.
#include "foundation/SystemApi.h"
#include "script/ScriptParser.h"
#include "script/ScriptTexts.h"
#include "ui/MainWnd.h"

bool CMainWnd::ReadInstallInfo(const char* fileName)
{
    SCRIPT_ERROR error;
    switch (ReadInstallScript(fileName, this, &error)) {
    case kScriptRead: return true;
    case kScriptUnreadable: return false;
    case kScriptSyntaxError: break;
    }
    CZVString report = FormatScriptError(error, fileName);
    // The script is read during start-up, before the main window exists, so the box has no owner.
    ShowBox(nullptr, report.GetString(), ZV_CAPTION_SYNTAX_ERROR, MB_ICONERROR | MB_SETFOREGROUND);
    return false;
}
