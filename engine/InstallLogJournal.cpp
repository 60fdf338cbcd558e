// The install log as the steps append it, and its journal on disk: each line is there before the action it records
// can leave a trace, so that an install cut off at any moment can be undone at the next start
// (uninstall/InterruptedInstall.cpp).
#include <cstring>

#include "engine/EngineTexts.h"
#include "engine/Install.h"
#include "foundation/FileCalls.h"
#include "foundation/Trace.h"
#include "log/InstallJournal.h"
#include "log/TitleFiles.h"

void CInstall::AppendLogLine(const CZVString& line, bool alreadyJournaled)
{
    state.installLog.Append(line);
    if (alreadyJournaled)
        return;
    if (line.GetAt(0) == '#')
        journal.Flush();
    journal.Append(line);
}

void CInstall::JournalAhead(const CZVString& line)
{
    journal.Append(line);
}

void CInstall::WithdrawJournalLine()
{
    journal.WithdrawLast();
}

void CInstall::StartJournal()
{
    char path[kPathBytes], folder[kPathBytes];
    if (GetJournalPath(settings.gametitle, path)) {
        CopyCutAtChar(folder, FolderPartLength(path) + 1, path);
        if (MakeDirectoryPath(folder) && journal.Create(path) && journal.Append(state.installLog)) {
            journal.Flush();
            return;
        }
    }
    Trace("警告：CInstall::StartJournal ジャーナルを作成できません (%s)\n", path);
    if (journal.IsOpen()) {
        journal.Close();
        ZVDeleteFile(path);
    }
}

void CInstall::EndJournal()
{
    if (!journal.IsOpen())
        return;
    journal.Close();
    RemoveJournal(settings.gametitle);
}
