// The menu as the install's person: its questions in boxes owned by the window (its messages, sounds and the
// script's messages are the uninstall's, ui/UninstallPerson.cpp; its copy is in the copy dialog, ui/CopyDialog.cpp).
#include "engine/Install.h"
#include "ui/MainWnd.h"

int CMainWnd::Ask(INSTALL_QUESTION, const char* text, const char* caption, UINT type, int)
{
    return MessageBox(text, caption, type);
}
