#include "log/InstallJournal.h"

#include <cstdint>
#include <cstring>

#include "foundation/PathCompare.h"
#include "foundation/PathText.h"
#include "log/InstallFolder.h"
#include "log/InstallLog.h"

namespace {

const char kInstallDirRecord[] = "$InstallDir = ";
const int kHeaderTimeBytes = 20; // " yyyy-mm-dd hh:mm:ss" at the end of the header line

bool EndsWith(const CZVString& text, const char* end)
{
    int length = static_cast<int>(strlen(end));
    return text.GetLength() >= length && text.Mid(text.GetLength() - length) == end;
}

} // namespace

CZVString TitleHash(const char* title)
{
    // FNV-1a: the same value on every system and every build.
    uint64_t hash = 14695981039346656037ull;
    for (const unsigned char* byte = reinterpret_cast<const unsigned char*>(title); *byte != '\0'; byte++)
        hash = (hash ^ *byte) * 1099511628211ull;
    return CZVString::Format(
        "%08lX%08lX", static_cast<unsigned long>(hash >> 32), static_cast<unsigned long>(hash & 0xFFFFFFFFu));
}

CZVString JournalFileName(const char* title)
{
    return TitleHash(title) + ".jnl";
}

JOURNAL_READING ReadJournal(
    const CZVString& journal, const char* title, const char* installSubdir, const char* commonPrograms)
{
    JOURNAL_READING reading = {false, false, CZVString(), false};
    std::vector<CZVString> lines = SplitLogLines(journal);
    // The header of this title at any time: the same length, the same bytes up to the time. Another title that
    // begins like this one has other bytes there, or another length.
    LOG_TIME anyTime = {2000, 1, 1, 0, 0, 0};
    CZVString header = FormatLogHeader(title, anyTime);
    int titleBytes = header.GetLength() - 1 - kHeaderTimeBytes;
    if (lines.empty() || lines[0].GetLength() != header.GetLength() - 1
        || lines[0].Left(titleBytes) != header.Left(titleBytes))
        return reading;
    reading.ownTitle = true;
    reading.finished = EndsWith(journal, kLogSelfCopy);

    CZVString baseFolder;
    bool firstVerbLine = true;
    for (const CZVString& line : lines) {
        if (baseFolder.IsEmpty() && line.Left(static_cast<int>(strlen(kInstallDirRecord))) == kInstallDirRecord)
            baseFolder = line.Mid(static_cast<int>(strlen(kInstallDirRecord)));
        LOG_ACTION action = ReadLogLine(line);
        if (action.kind == kLogSkip)
            continue;
        char topFolder[kPathBytes], installFolder[kPathBytes];
        if (firstVerbLine && action.kind == kLogRemoveFolder && !baseFolder.IsEmpty()
            && MakeTopFolder(baseFolder.GetString(), installSubdir, topFolder) && action.path == topFolder
            && MakeInstallFolder(baseFolder.GetString(), installSubdir, installFolder))
            reading.installFolder = installFolder;
        firstVerbLine = false;
        if ((action.kind == kLogDeleteKey && action.root == kLogAllUsers)
            || (action.kind == kLogDeleteShortcut && commonPrograms[0] != '\0'
                && IsPathAtOrBelow(action.path.GetString(), commonPrograms)))
            reading.forAllUsers = true;
    }
    return reading;
}

CZVString InstallFolderOfLog(const CZVString& log)
{
    for (const CZVString& line : SplitLogLines(log)) {
        LOG_ACTION action = ReadLogLine(line);
        if (action.kind == kLogSkip)
            continue;
        const char* folder = action.path.GetString();
        if (action.kind != kLogRemoveFolder || !IsAbsolutePath(folder) || HasParentComponent(folder))
            return CZVString();
        CZVString withBackslash = EndsWithBackslash(folder) ? action.path : action.path + "\\";
        return withBackslash.GetLength() < kPathBytes ? withBackslash : CZVString();
    }
    return CZVString();
}
