// The start-up member of the main window: the disc folder.
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
