// The install log as the steps append it, and its journal on disk: each line is there before the action it records
// can leave a trace, so that an install cut off at any moment can be undone at the next start
// (uninstall/InterruptedInstall.cpp).
#include <cstring>

#include "engine/EngineTexts.h"
#include "foundation/PathCompare.h"
#include "foundation/Trace.h"
#include "log/InstallJournal.h"
#include "log/TitleFiles.h"
#include "ui/MainWnd.h"

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

bool CMainWnd::IsSourceInstalledCopy()
{
    char kept[kPathBytes];
    return (installedDir[0] != '\0' && IsPathAtOrBelow(sourceDir, installedDir)
               && IsPathAtOrBelow(installedDir, sourceDir))
        || (GetKeptFolder(settings.gametitle, kept) && IsPathAtOrBelow(sourceDir, kept)
            && IsPathAtOrBelow(kept, sourceDir));
}

void CMainWnd::StartJournal()
{
    char path[kPathBytes], folder[kPathBytes];
    if (GetJournalPath(settings.gametitle, path)) {
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
    RemoveJournal(settings.gametitle);
}
