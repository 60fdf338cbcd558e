#include "ui/MainWnd.h"

CMainWnd::CMainWnd()
{
    // The object is built with the application object, before WinMain: the disc's folder is the current one.
    sourceDir[0] = '\0';
    DWORD length = GetCurrentDirectoryA(sizeof(sourceDir), sourceDir);
    if (length == 0 || length >= sizeof(sourceDir))
        sourceDir[0] = '\0';
}

CMainWnd::~CMainWnd() = default;
