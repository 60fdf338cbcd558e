// The first step of an install: the chosen type must have files; the install folder and the script's folders are
// made and each is logged, so that the undo and the uninstaller remove them again when they are empty.
#include "engine/EngineTexts.h"
#include "engine/Install.h"
#include "engine/InstallPlan.h"
#include "foundation/Captions.h"
#include "foundation/SystemFallbacks.h"
#include "foundation/Trace.h"
#include "log/InstallLog.h"

#include <cstring>

bool CInstall::PrepareDirectories()
{
    totalFileCount = 0;
    int32_t type = settings.installtype;
    int32_t files = type >= 0 && type < kMaxInstallTypes ? static_cast<int32_t>(description.typeFiles[type].size()) : 0;
    // No size is measured here: the copy measures each disc.
    Trace("総ファイル数：%d 総ファイルサイズ：%ldbytes\n", files, 1L);
    if (files == 0) {
        person.Tell(ZV_INSTALL_NO_FILES, ZV_CAPTION_ERROR, MB_ICONERROR);
        return false;
    }

    char topFolder[kPathBytes];
    MakeTopFolder(settings.installdir, settings.installsubdir, topFolder);
    AppendLogLine(FormatLogMakeDir(topFolder));
    MakeDirectoryPath(topFolder);
    for (int32_t i = 0; i < description.makeDirCount; i++) {
        CZVString folder = CZVString::Format("%s\\%s", topFolder, description.makeDirs[i]);
        AppendLogLine(FormatLogMakeDir(folder.GetString()));
        MakeDirectoryPath(folder.GetString());
    }
    totalFileCount = files;
    return true;
}

bool MakeDirectoryPath(const char* path)
{
    char folder[kPathBytes];
    size_t length = strlen(path);
    if (length >= sizeof(folder))
        return false;
    memcpy(folder, path, length + 1);
    // A path of 259 bytes has no room left for its backslash.
    if (!AppendBackslash(folder, sizeof(folder)))
        return false;
    return MakeSureFolderPathExists(folder);
}
