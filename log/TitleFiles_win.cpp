#include "log/TitleFiles.h"

#include <shlobj.h>

#include <cstring>

#include "foundation/FileCalls.h"
#include "foundation/PathText.h"
#include "foundation/SelfDeletion.h"
#include "foundation/ShellFolder.h"
#include "foundation/Trace.h"
#include "log/InstallJournal.h"
#include "log/LogNames.h"

namespace {

const int kUniqueNameTries = 1000;

// The folder of the title files, "<Windows folder>\ZVSetup", joined with name.
bool TitleFilePath(const char* name, char* path)
{
    char windows[kPathBytes], folder[kPathBytes];
    UINT length = ZVGetWindowsDirectory(windows, sizeof(windows));
    path[0] = '\0';
    return length > 0 && length < sizeof(windows) && *JoinPath(folder, windows, ZV_TITLE_FILES_FOLDER) != '\0'
        && *JoinPath(path, folder, name) != '\0';
}

} // namespace

bool GetJournalPath(const char* title, char* path)
{
    return TitleFilePath(JournalFileName(title).GetString(), path);
}

bool RemoveJournal(const char* title)
{
    char path[kPathBytes], folder[kPathBytes];
    if (!GetJournalPath(title, path) || !ZVDeleteFile(path))
        return false;
    CopyCutAtChar(folder, FolderPartLength(path) + 1, path);
    ZVRemoveDirectory(folder);
    return true;
}

bool GetKeptFolder(const char* title, char* path)
{
    char kept[kPathBytes];
    path[0] = '\0';
    if (!TitleFilePath(TitleHash(title).GetString(), kept) || strlen(kept) + 2 > kPathBytes)
        return false;
    wsprintfA(path, "%s\\", kept);
    return true;
}

bool ReadKeptLog(const char* title, const char* installSubdir, KEPT_LOG* kept)
{
    char folder[kPathBytes], logFile[kPathBytes];
    CZVString text;
    if (!GetKeptFolder(title, folder) || *JoinPath(logFile, folder, ZV_INSTALL_LOG_FILE) == '\0'
        || ZVGetFileAttributes(logFile) == INVALID_FILE_ATTRIBUTES || !text.LoadFromPack(logFile))
        return false;
    char commonPrograms[kPathBytes];
    GetShellFolderPath(CSIDL_COMMON_PROGRAMS, commonPrograms); // "" where the system has none (the 95 family)
    JOURNAL_READING reading = ReadJournal(text, title, installSubdir, commonPrograms);
    CZVString folderOfLog = InstallFolderOfLog(text);
    if (!reading.ownTitle || folderOfLog.IsEmpty())
        return false;
    kept->text = text;
    kept->installFolder = folderOfLog;
    kept->forAllUsers = reading.forAllUsers;
    return true;
}

bool RemoveKeptCopy(const char* title, const char* programName, CZVString* renamed)
{
    char folder[kPathBytes], file[kPathBytes], prefix[kPathBytes];
    if (!GetKeptFolder(title, folder))
        return false;
    const char* const names[] = {ZV_INSTALL_LOG_FILE, ZV_SCRIPT_FILE};
    for (const char* name : names) {
        if (*JoinPath(file, folder, name) != '\0') {
            ZVSetFileAttributes(file, FILE_ATTRIBUTE_NORMAL);
            ZVDeleteFile(file);
        }
    }
    // The program may be the one running: started from the list of installed programs, the first process of an
    // unattended uninstall waits for its work copy. Renamed, it waits beside the kept folder, not in it.
    CopyCutAtChar(prefix, sizeof(prefix), folder);
    RemoveTrailingBackslash(prefix);
    if (*JoinPath(file, folder, programName) != '\0') {
        ZVSetFileAttributes(file, FILE_ATTRIBUTE_NORMAL);
        DeleteOrScheduleRunning(file, prefix, renamed);
    }
    ZVRemoveDirectory(prefix);
    return ZVGetFileAttributes(prefix) == INVALID_FILE_ATTRIBUTES;
}

bool DeleteOrScheduleRunning(const char* path, const char* prefix, CZVString* renamed)
{
    renamed->Empty();
    if (ZVDeleteFile(path) || GetLastError() == ERROR_FILE_NOT_FOUND)
        return true;
    // A program that is running cannot be deleted, but it can be renamed: under a name of its own, which no install
    // ever writes, it goes at the next start, and the name it had is free for the next install at once.
    for (int number = 1; number <= kUniqueNameTries; number++) {
        CZVString name = CZVString::Format("%s-%d.old", prefix, number);
        if (name.GetLength() >= kPathBytes)
            return false;
        if (ZVMoveFile(path, name.GetString())) {
            ScheduleSelfDeletion(name.GetString());
            *renamed = name;
            return true;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    Trace("失敗：DeleteOrScheduleRunning 削除できない (%s)\n", path);
    return false;
}
