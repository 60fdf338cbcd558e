#include "uninstall/MatchingFiles.h"

#include "foundation/FileCalls.h"
#include "foundation/LinkEntry.h"
#include "foundation/PathText.h"
#include "foundation/ScopedHandles.h"
#include "foundation/ZVString.h"
#include "log/KeptFiles.h"
#include "log/LogNames.h"
#include "uninstall/UninstallPlan.h"

namespace {

// Calls visit with the full path of every file that relativePattern matches below installFolder, the log aside;
// false when the pattern leaves the folder or passes through a link.
template <typename Visit> bool VisitMatchingFiles(const char* installFolder, const char* relativePattern, Visit visit)
{
    char search[kPathBytes], folder[kPathBytes], logFile[kPathBytes];
    if (!IsErasePatternInside(relativePattern) || *JoinPath(search, installFolder, relativePattern) == '\0'
        || *JoinPath(logFile, installFolder, ZV_INSTALL_LOG_FILE) == '\0')
        return false;
    char relativeFolder[kPathBytes];
    CopyCutAtChar(relativeFolder, FolderPartLength(relativePattern) + 1, relativePattern);
    if (PassesThroughLink(installFolder, relativeFolder))
        return false;
    CopyCutAtChar(folder, FolderPartLength(search) + 1, search);
    WIN32_FIND_DATAA found;
    CFindHandle listing(FindFirstEntry(search, &found));
    if (!listing.IsValid())
        return true;
    do {
        char file[kPathBytes];
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || IsFoundLink(found)
            || *JoinPath(file, folder, found.cFileName) == '\0' || CZVString(file).EqualsNoCase(logFile))
            continue;
        visit(file);
    } while (FindNextEntry(listing.Get(), &found));
    return true;
}

} // namespace

bool DeleteMatchingFiles(const char* installFolder, const char* relativePattern, const CKeptFiles* kept)
{
    return VisitMatchingFiles(installFolder, relativePattern, [kept](const char* file) {
        if (kept == nullptr || !kept->Holds(file))
            ZVDeleteFile(file);
    });
}

void ListErasedFiles(const char* installFolder, const char* eraseList, CKeptFiles* kept)
{
    for (const CZVString& pattern : SplitErasePatterns(eraseList))
        VisitMatchingFiles(installFolder, pattern.GetString(), [kept](const char* file) { kept->Add(file); });
}
