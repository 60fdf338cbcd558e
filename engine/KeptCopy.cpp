// The kept copy for the uninstall: the program, the script and the install log of a complete install, in a folder of
// the Windows folder that only administrators can write. The list of installed programs and the uninstall link start
// that program; it reads that script and that log. The install folder may be writable by every user of the machine,
// and nothing found there may steer what the elevated uninstall runs or deletes.
#include "engine/KeptCopy.h"

#include <shlobj.h>

#include "engine/EngineTexts.h"
#include "foundation/ShellFolder.h"
#include "foundation/Trace.h"
#include "foundation/SelfDeletion.h"
#include "startup/StartupTexts.h"
#include "startup/UnattendedReport.h"
#include "ui/MainWnd.h"
#include "log/InstallJournal.h"

namespace {

const int kUniqueNameTries = 1000;

// Copies the file name from one folder to another; a copy from a disc is read-only, the kept one is not.
bool CopyInto(const char* fromFolder, const char* toFolder, const char* name)
{
    char from[kPathBytes], to[kPathBytes];
    if (*JoinPath(from, fromFolder, name) == '\0' || *JoinPath(to, toFolder, name) == '\0')
        return false;
    SetFileAttributesA(to, FILE_ATTRIBUTE_NORMAL);
    if (!CopyFileA(from, to, FALSE))
        return false;
    SetFileAttributesA(to, FILE_ATTRIBUTE_NORMAL);
    return true;
}

} // namespace

bool DeleteOrScheduleRunning(const char* path, const char* prefix)
{
    if (DeleteFileA(path) || GetLastError() == ERROR_FILE_NOT_FOUND)
        return true;
    // A program that is running cannot be deleted, but it can be renamed: under a name of its own, which no install
    // ever writes, it goes at the next start, and the name it had is free for the next install at once.
    for (int number = 1; number <= kUniqueNameTries; number++) {
        char unique[kPathBytes];
        CZVString name = CZVString::Format("%s-%d.old", prefix, number);
        if (name.GetLength() >= kPathBytes)
            return false;
        CopyCutAtChar(unique, sizeof(unique), name.GetString());
        if (MoveFileA(path, unique)) {
            ScheduleSelfDeletion(unique);
            ReportLine(ZV_CAPTION_STEP, CZVString::Format(ZV_TEXT_DELETED_AT_RESTART, unique).GetString());
            return true;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    Trace("失敗：DeleteOrScheduleRunning 削除できない (%s)\n", path);
    return false;
}

bool CMainWnd::MakeKeptCopy()
{
    keptFolder[0] = '\0';
    char folder[kPathBytes];
    // The program and the script as they came on the disc: never the work copy, which the user's own temporary
    // folder holds.
    if (!GetKeptFolder(folder) || !MakeDirectoryPath(folder) || !CopyInto(sourceDir, folder, moduleFileName)
        || !CopyInto(sourceDir, folder, ZV_STARTUP_SCRIPT_NAME)) {
        Trace("警告：CMainWnd::MakeKeptCopy アンインストール用のコピーが作成できない (%s)\n", folder);
        RemoveKeptCopy();
        return false;
    }
    CopyCutAtChar(keptFolder, sizeof(keptFolder), folder);
    return true;
}

bool CMainWnd::ReadKeptLog(CZVString* log, CZVString* installFolder, bool* forAllUsers)
{
    char folder[kPathBytes], logFile[kPathBytes];
    CZVString text;
    if (!GetKeptFolder(folder) || *JoinPath(logFile, folder, ZV_INSTALL_LOG_FILE) == '\0' || !FileExists(logFile)
        || !text.LoadFromPack(logFile))
        return false;
    char commonPrograms[kPathBytes];
    GetShellFolderPath(CSIDL_COMMON_PROGRAMS, commonPrograms); // "" where the system has none (the 95 family)
    JOURNAL_READING reading = ReadJournal(text, settings.gametitle, settings.installsubdir, commonPrograms);
    CZVString folderOfLog = InstallFolderOfLog(text);
    if (!reading.ownTitle || folderOfLog.IsEmpty())
        return false;
    *log = text;
    *installFolder = folderOfLog;
    *forAllUsers = reading.forAllUsers;
    return true;
}

bool CMainWnd::RemoveKeptCopy()
{
    char folder[kPathBytes], file[kPathBytes], prefix[kPathBytes];
    if (!GetKeptFolder(folder))
        return false;
    const char* const names[] = {ZV_INSTALL_LOG_FILE, ZV_STARTUP_SCRIPT_NAME};
    for (const char* name : names) {
        if (*JoinPath(file, folder, name) != '\0') {
            SetFileAttributesA(file, FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(file);
        }
    }
    // The program may be the one running: started from the list of installed programs, the first process of an
    // unattended uninstall waits for its work copy. Renamed, it waits beside the kept folder, not in it.
    CopyCutAtChar(prefix, sizeof(prefix), folder);
    RemoveTrailingBackslash(prefix);
    if (*JoinPath(file, folder, moduleFileName) != '\0') {
        SetFileAttributesA(file, FILE_ATTRIBUTE_NORMAL);
        DeleteOrScheduleRunning(file, prefix);
    }
    RemoveDirectoryA(prefix);
    keptFolder[0] = '\0';
    return GetFileAttributesA(prefix) == INVALID_FILE_ATTRIBUTES;
}
