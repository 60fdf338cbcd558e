#include "uninstall/MatchingFiles.h"

#include "engine/EngineTexts.h"
#include "foundation/PathText.h"
#include "foundation/ScopedHandles.h"
#include "foundation/ZVString.h"
#include "uninstall/UninstallPlan.h"

bool DeleteMatchingFiles(const char* installFolder, const char* relativePattern)
{
    char search[kPathBytes], folder[kPathBytes], logFile[kPathBytes];
    if (!IsErasePatternInside(relativePattern) || *JoinPath(search, installFolder, relativePattern) == '\0'
        || *JoinPath(logFile, installFolder, ZV_INSTALL_LOG_FILE) == '\0')
        return false;
    CopyCutAtChar(folder, FolderPartLength(search) + 1, search);
    WIN32_FIND_DATAA found;
    CFindHandle listing(FindFirstFileA(search, &found));
    if (!listing.IsValid())
        return true;
    do {
        char file[kPathBytes];
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || *JoinPath(file, folder, found.cFileName) == '\0'
            || CZVString(file).EqualsNoCase(logFile))
            continue;
        DeleteFileA(file);
    } while (FindNextFileA(listing.Get(), &found));
    return true;
}

bool IsMatchingFile(const char* installFolder, const char* relativePattern, const char* path)
{
    char search[kPathBytes], folder[kPathBytes];
    if (!IsErasePatternInside(relativePattern) || *JoinPath(search, installFolder, relativePattern) == '\0')
        return false;
    CopyCutAtChar(folder, FolderPartLength(search) + 1, search);
    WIN32_FIND_DATAA found;
    CFindHandle listing(FindFirstFileA(search, &found));
    if (!listing.IsValid())
        return false;
    do {
        char file[kPathBytes];
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && *JoinPath(file, folder, found.cFileName) != '\0'
            && CZVString(file).EqualsNoCase(path))
            return true;
    } while (FindNextFileA(listing.Get(), &found));
    return false;
}
