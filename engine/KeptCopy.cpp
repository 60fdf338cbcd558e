// The install's kept copy for the uninstall: the program and the script as they came on the disc, in a folder of the
// Windows folder that only administrators can write (log/TitleFiles.h); the install saves its log there at its end.
// The list of installed programs and the uninstall link start that program, which reads that script and that log:
// the install folder may be writable by every user of the machine, and nothing found there may steer what the
// elevated uninstall runs or deletes.
#include "engine/Install.h"
#include "foundation/FileCalls.h"
#include "foundation/Trace.h"
#include "log/LogNames.h"
#include "log/TitleFiles.h"

namespace {

// Copies the file name from one folder to another; a copy from a disc is read-only, the kept one is not.
bool CopyInto(const char* fromFolder, const char* toFolder, const char* name)
{
    char from[kPathBytes], to[kPathBytes];
    if (*JoinPath(from, fromFolder, name) == '\0' || *JoinPath(to, toFolder, name) == '\0')
        return false;
    ZVSetFileAttributes(to, FILE_ATTRIBUTE_NORMAL);
    if (!ZVCopyFile(from, to, FALSE))
        return false;
    ZVSetFileAttributes(to, FILE_ATTRIBUTE_NORMAL);
    return true;
}

} // namespace

bool CInstall::MakeKeptCopy()
{
    keptFolder[0] = '\0';
    char folder[kPathBytes];
    // The program and the script as they came on the disc: never the work copy, which the user's own temporary
    // folder holds.
    if (!GetKeptFolder(settings.gametitle, folder) || !MakeDirectoryPath(folder)
        || !CopyInto(state.sourceDir, folder, state.moduleFileName)
        || !CopyInto(state.sourceDir, folder, ZV_SCRIPT_FILE)) {
        Trace("警告：CInstall::MakeKeptCopy アンインストール用のコピーが作成できない (%s)\n", folder);
        CZVString renamed;
        RemoveKeptCopy(settings.gametitle, state.moduleFileName, &renamed);
        return false;
    }
    CopyCutAtChar(keptFolder, sizeof(keptFolder), folder);
    return true;
}
