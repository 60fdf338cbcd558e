#include "uninstall/UninstallPlan.h"

#include <cstring>

#include "foundation/PathCompare.h"
#include "foundation/PathText.h"

namespace {

// text without one real trailing backslash.
CZVString WithoutTrailingBackslash(const char* text)
{
    CZVString copy(text);
    return EndsWithBackslash(text) ? copy.Left(copy.GetLength() - 1) : copy;
}

} // namespace

bool IsTitleOwnFolder(const char* folder, const char* installsubdir, const std::vector<CZVString>& systemFolders)
{
    if (folder == nullptr || installsubdir == nullptr || !IsAbsolutePath(folder) || HasParentComponent(folder)
        || HasParentComponent(installsubdir))
        return false;
    CZVString own = WithoutTrailingBackslash(folder);
    CZVString subdir = WithoutTrailingBackslash(installsubdir);
    if (subdir.IsEmpty() || subdir.GetAt(0) == '\\' || subdir.GetAt(0) == '/')
        return false;
    // The last components are installsubdir: "\" + installsubdir ends the folder, and what comes before that
    // backslash is more than the root (a folder in the root of a drive is no title's own, even one named like it).
    CZVString ending = CZVString("\\") + subdir;
    if (!EndsWithNoCase(own.GetString(), ending.GetString()))
        return false;
    if (own.GetLength() - ending.GetLength() < PathRootLength(own.GetString()))
        return false;
    for (const CZVString& systemFolder : systemFolders) {
        if (!systemFolder.IsEmpty() && IsPathAtOrBelow(systemFolder.GetString(), own.GetString()))
            return false;
    }
    return true;
}

bool IsErasePatternInside(const char* pattern)
{
    return pattern != nullptr && IsRelativePathInside(pattern);
}

std::vector<CZVString> SplitErasePatterns(const char* eraseList)
{
    const char separators[] = ";\r\n";
    std::vector<CZVString> patterns;
    CZVString list(eraseList);
    for (CZVString pattern = list.GetFirstToken(separators); !pattern.IsEmpty();
         pattern = list.GetNextToken(separators))
        patterns.push_back(pattern);
    return patterns;
}
