// The install log as the steps append it, and its journal on disk: each line is there before the action it records
// can leave a trace, so that an install cut off at any moment can be undone at the next start
// (uninstall/InterruptedInstall.cpp).
#include <cstring>

#include "engine/EngineTexts.h"
#include "foundation/PathCompare.h"
#include "foundation/Trace.h"
#include "ui/MainWnd.h"
#include "log/InstallJournal.h"

void CMainWnd::AppendLogLine(const CZVString& line, bool alreadyJournaled)
{
    installLog.Append(line);
    if (alreadyJournaled)
        return;
    if (line.GetAt(0) == '#')
        journal.Flush();
    journal.Append(line);
}

void CMainWnd::JournalAhead(const CZVString& line)
{
    journal.Append(line);
}

void CMainWnd::WithdrawJournalLine()
{
    journal.WithdrawLast();
}

bool CMainWnd::GetJournalPath(char* path)
{
    char windows[kPathBytes], folder[kPathBytes];
    UINT length = GetWindowsDirectoryA(windows, sizeof(windows));
    path[0] = '\0';
    return length > 0 && length < sizeof(windows) && *JoinPath(folder, windows, ZV_JOURNAL_FOLDER) != '\0'
        && *JoinPath(path, folder, JournalFileName(settings.gametitle).GetString()) != '\0';
}

bool CMainWnd::GetKeptFolder(char* path)
{
    char windows[kPathBytes], folder[kPathBytes], kept[kPathBytes];
    UINT length = GetWindowsDirectoryA(windows, sizeof(windows));
    path[0] = '\0';
    if (length == 0 || length >= sizeof(windows) || *JoinPath(folder, windows, ZV_JOURNAL_FOLDER) == '\0'
        || *JoinPath(kept, folder, TitleHash(settings.gametitle).GetString()) == '\0' || strlen(kept) + 2 > kPathBytes)
        return false;
    wsprintfA(path, "%s\\", kept);
    return true;
}

bool CMainWnd::IsSourceInstalledCopy()
{
    char kept[kPathBytes];
    return (installedDir[0] != '\0' && IsPathAtOrBelow(sourceDir, installedDir)
               && IsPathAtOrBelow(installedDir, sourceDir))
        || (GetKeptFolder(kept) && IsPathAtOrBelow(sourceDir, kept) && IsPathAtOrBelow(kept, sourceDir));
}

void CMainWnd::StartJournal()
{
    char path[kPathBytes], folder[kPathBytes];
    if (GetJournalPath(path)) {
        CopyCutAtChar(folder, FolderPartLength(path) + 1, path);
        if (MakeDirectoryPath(folder) && journal.Create(path) && journal.Append(installLog)) {
            journal.Flush();
            return;
        }
    }
    Trace("警告：CMainWnd::StartJournal ジャーナルを作成できません (%s)\n", path);
    if (journal.IsOpen()) {
        journal.Close();
        DeleteFileA(path);
    }
}

void CMainWnd::EndJournal()
{
    if (!journal.IsOpen())
        return;
    journal.Close();
    RemoveJournal();
}

bool CMainWnd::RemoveJournal()
{
    char path[kPathBytes], folder[kPathBytes];
    if (!GetJournalPath(path) || !DeleteFileA(path))
        return false;
    CopyCutAtChar(folder, FolderPartLength(path) + 1, path);
    RemoveDirectoryA(folder);
    return true;
}
