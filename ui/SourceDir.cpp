// The folder of the disc, which start-up tells the main window.
#include "ui/MainWnd.h"

#include <cstring>

void CMainWnd::SetSourceDir(const char* path)
{
    if (path == nullptr)
        return;
    size_t length = strlen(path);
    if (length >= 1 && length < sizeof(sourceDir))
        memcpy(sourceDir, path, length + 1);
}
