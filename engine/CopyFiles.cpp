// The copy of the chosen type's files, disc by disc, in chunks of 1 MiB inside the person's progress window: the disc
// prompts, a measuring pass and a copy pass per disc, the overwrite question, the source's times on every copy, and
// one "copy" line in the install log for every file that arrived whole (on the journal before the file is made). The
// copy runs as fast as the files come; the windows get their messages and the progress its redraws by the clock
// (engine/CopyPace.h), not per chunk.
#include <vector>

#include "engine/CopyPace.h"
#include "engine/DiscPrompt.h"
#include "engine/EngineTexts.h"
#include "engine/Install.h"
#include "engine/InstallPlan.h"
#include "foundation/Captions.h"
#include "foundation/FileCalls.h"
#include "foundation/ScopedHandles.h"
#include "foundation/SystemFallbacks.h"
#include "foundation/SystemLibraries.h"
#include "log/InstallLog.h"

#include <shobjidl.h> // after <windows.h>, which it needs

namespace {

const DWORD kChunkBytes = 1048576;

bool HasFilesOnDisc(const std::vector<FILE_ENTRY>& files, int32_t disc)
{
    for (const FILE_ENTRY& entry : files) {
        if (entry.disc == disc)
            return true;
    }
    return false;
}

bool IsFile(const WIN32_FIND_DATAA& found)
{
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The errors of a disc that may read on a second try: a scratch or dust (CRC, sector, seek, read fault), a drive
// that is not ready or lost its disc for a moment.
bool IsDiscReadError(DWORD error)
{
    switch (error) {
    case ERROR_NOT_READY:
    case ERROR_CRC:
    case ERROR_SEEK:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
    case ERROR_NO_MEDIA_IN_DRIVE:
    case ERROR_MEDIA_CHANGED: return true;
    default: return false;
    }
}

// A millisecond clock on every Windows: GetTickCount counts in steps of 55 ms on the 95 family.
uint32_t Now()
{
    return SystemMilliseconds();
}

} // namespace

// What one copy keeps for all its files, made once so that a file costs its own calls and nothing more: the one
// buffer, the disc being copied, the pace, and the file the dialog names.
struct COPY_RUN {
    std::vector<char> buffer;
    const char* label; // of the disc being copied
    int64_t discBytes; // the measured bytes of that disc
    CCopyPace pace;
    const char* relativePath; // of the file being copied, while CopyOneFile runs

    COPY_RUN()
        : buffer(kChunkBytes)
        , label("")
        , discBytes(0)
        , pace(Now())
        , relativePath("")
    {
    }
};

bool CInstall::RunCopy()
{
    sourceHandle = destHandle = INVALID_HANDLE_VALUE;
    discBytesDone = 0;
    copyCursor = 0;
    currentFileNumber = 0;
    copyCancelled = false;
    return person.RunWithProgress(*this);
}

void CInstall::Cancel()
{
    CloseCopyHandles();
    copyCancelled = true;
}

bool CInstall::Copy()
{
    COPY_RUN run;
    AppendLogLine(kLogFileCopyBegins);
    char startFolder[kPathBytes] = "";
    DWORD length = ZVGetCurrentDirectory(sizeof(startFolder), startFolder);
    if (length >= sizeof(startFolder))
        startFolder[0] = '\0';
    currentFileNumber = 1;

    int32_t type = settings.installtype;
    const std::vector<FILE_ENTRY> noFiles;
    const std::vector<FILE_ENTRY>& files = type >= 0 && type < kMaxInstallTypes ? description.typeFiles[type] : noFiles;
    bool copied = true;
    for (int32_t disc = 1; disc <= settings.numberofdisc && copied && !copyCancelled; disc++) {
        // A disc that holds none of the type's files is not asked for: the install does not need it.
        if (!HasFilesOnDisc(files, disc))
            continue;
        const char* label = static_cast<size_t>(disc - 1) < description.discLabels.size()
            ? description.discLabels[disc - 1].GetString()
            : "";
        run.label = label;
        if (startFolder[0] != '\0')
            ZVSetCurrentDirectory(startFolder);
        while (copied && !FindDisc(disc)) {
            CZVString text = FormatDiscText(settings.changediscmessage, label);
            CZVString caption = FormatDiscText(settings.changedisccaption, label);
            copied = person.Ask(kAskNextDisc, text.GetString(), caption.GetString(),
                         MB_OKCANCEL | MB_ICONINFORMATION | MB_SETFOREGROUND, IDCANCEL)
                    == IDOK
                && !copyCancelled;
        }
        copied = copied && MeasureDisc(files, disc, &run.discBytes);
        discBytesDone = 0;
        for (copyCursor = 0; copied && copyCursor < files.size(); copyCursor++) {
            const FILE_ENTRY& entry = files[copyCursor];
            if (entry.disc != disc)
                continue;
            WIN32_FIND_DATAA found;
            CFindHandle search(ZVFindFirstFile(entry.fileName.GetString(), &found));
            if (!search.IsValid()) {
                CZVString text = CZVString::Format(ZV_COPY_NOT_FOUND, entry.fileName.GetString());
                person.Tell(text.GetString(), ZV_CAPTION_WARNING, MB_ICONWARNING);
                copied = !copyCancelled;
                continue;
            }
            // Every file of an entry lies in the entry's folder: its folders are made once, before its first file.
            bool foldersMade = false;
            do {
                if (!IsFile(found))
                    continue;
                char relativePath[kPathBytes];
                // No further file is started once the user has cancelled.
                copied = !copyCancelled && MakeRelativePath(entry.fileName.GetString(), found.cFileName, relativePath);
                if (copied && !foldersMade) {
                    MakeFileFolders(relativePath);
                    foldersMade = true;
                }
                copied = copied && CopyOneFile(relativePath, &run);
            } while (copied && ZVFindNextFile(search.Get(), &found));
        }
    }
    person.ShowTaskbarProgress(0, 0, TBPF_NOPROGRESS);
    if (!copied || copyCancelled || currentFileNumber < totalFileCount)
        return false;
    AppendLogLine(kLogFileCopyFinished);
    return true;
}

bool CInstall::MeasureDisc(const std::vector<FILE_ENTRY>& files, int32_t disc, int64_t* discBytes)
{
    int32_t discFiles = 0;
    *discBytes = 0;
    for (const FILE_ENTRY& entry : files) {
        if (entry.disc != disc)
            continue;
        WIN32_FIND_DATAA found;
        CFindHandle search(ZVFindFirstFile(entry.fileName.GetString(), &found));
        if (!search.IsValid()) {
            CZVString question = CZVString::Format(ZV_COPY_MISSING_CONTINUE, entry.fileName.GetString());
            if (person.Ask(kAskMissingContinue, question.GetString(), ZV_CAPTION_FAILURE, MB_OKCANCEL | MB_ICONQUESTION,
                    IDCANCEL)
                    != IDOK
                || copyCancelled)
                return false;
            continue;
        }
        do {
            if (IsFile(found)) {
                discFiles++;
                *discBytes += FileSizeFromWords(found.nFileSizeLow, found.nFileSizeHigh);
            }
        } while (ZVFindNextFile(search.Get(), &found));
    }
    if (settings.numberofdisc == 1)
        totalFileCount = discFiles;
    return true;
}

bool CInstall::CopyOneFile(const char* relativePath, COPY_RUN* run)
{
    for (int retries = 0;; retries++) {
        int64_t discBytesBefore = discBytesDone;
        COPY_ATTEMPT attempt = CopyFileOnce(relativePath, run);
        if (attempt != kFileUnread)
            return attempt == kFileCopied;
        // The disc could not be read (the partial file and its journal line are gone): the file starts again from
        // its beginning, as often as the person asks; unattended, once.
        discBytesDone = discBytesBefore;
        fileBytesDone = 0;
        ShowCopyProgress(run, true);
        person.ShowTaskbarProgress(currentFileNumber, totalFileCount, TBPF_ERROR);
        CZVString question = CZVString::Format(ZV_COPY_READ_FAILED, relativePath);
        int answer = person.Ask(kAskRetryRead, question.GetString(), ZV_CAPTION_READ_ERROR,
            MB_RETRYCANCEL | MB_ICONERROR | MB_SETFOREGROUND, retries == 0 ? IDRETRY : IDCANCEL);
        person.ShowTaskbarProgress(currentFileNumber, totalFileCount, TBPF_NORMAL);
        if (answer != IDRETRY || copyCancelled) {
            person.ShowTaskbarProgress(0, 0, TBPF_NOPROGRESS);
            return false;
        }
    }
}

CInstall::COPY_ATTEMPT CInstall::CopyFileOnce(const char* relativePath, COPY_RUN* run)
{
    // A destination that would not fit a path is never cut into another file's name: it counts as unwritable.
    // Both parts are shorter than a path, so together they fit twice a path's bytes.
    char destination[2 * kPathBytes];
    int folderLength = lstrlenA(state.installedDir);
    lstrcpynA(destination, state.installedDir, kPathBytes);
    lstrcpynA(destination + folderLength, relativePath, kPathBytes);
    bool fits = lstrlenA(destination) < kPathBytes;

    run->relativePath = relativePath;
    fileBytesDone = 0;
    fileSize = 0;
    ShowCopyProgress(run, false);
    // Each failure shows its box over the dialog naming the file it is about.
    auto fail = [&](const char* format, const char* path, UINT type, const char* partialFile) {
        ShowCopyProgress(run, true);
        ReportCopyFailure(format, path, type, partialFile);
        return kFileFailed;
    };
    // A read the disc refused, not the cancel's closing of the files: the partial file goes, and its line from the
    // journal, so that the file can start again as if never begun.
    auto unread = [&](const char* partialFile) {
        CloseCopyHandles();
        if (partialFile != nullptr) {
            ZVDeleteFile(partialFile);
            WithdrawJournalLine();
        }
        return kFileUnread;
    };

    sourceHandle = ZVCreateFile(relativePath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (sourceHandle == INVALID_HANDLE_VALUE)
        return IsDiscReadError(GetLastError()) ? unread(nullptr)
                                               : fail(ZV_COPY_OPEN_FAILED, relativePath, MB_ICONERROR, nullptr);
    // One line for the journal now and for the log once the file is whole.
    const CZVString copyLine = FormatLogCopy(relativePath);
    JournalAhead(copyLine);
    destHandle = fits
        ? ZVCreateFile(destination, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)
        : INVALID_HANDLE_VALUE;
    if (destHandle == INVALID_HANDLE_VALUE) {
        DWORD error = fits ? GetLastError() : ERROR_FILENAME_EXCED_RANGE;
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            return fail(ZV_COPY_WRITE_FAILED, destination, MB_ICONERROR, nullptr);
        if (IsKeptFromEarlierInstall(destination)) {
            // The player's own copy, kept when the earlier install was taken away for this one: it stays as it is,
            // and belongs to this install as it belonged to that one.
            int64_t size = 0;
            if (GetFileSize64(sourceHandle, &size))
                discBytesDone += size;
            CloseCopyHandles();
            AppendLogLine(copyLine, true);
            currentFileNumber++;
            PumpCopyMessages(run);
            return kFileCopied;
        }
        WithdrawJournalLine(); // the file is someone else's unless the user gives it up
        ShowCopyProgress(run, true);
        person.ShowTaskbarProgress(currentFileNumber, totalFileCount, TBPF_PAUSED);
        CZVString question = CZVString::Format(ZV_COPY_OVERWRITE, destination);
        bool overwrite = person.Ask(kAskOverwrite, question.GetString(), ZV_CAPTION_CONFIRMATION,
                             MB_OKCANCEL | MB_ICONQUESTION, IDCANCEL)
            == IDOK;
        if (!overwrite || copyCancelled) {
            CloseCopyHandles();
            return kFileFailed;
        }
        JournalAhead(copyLine);
        person.ShowTaskbarProgress(currentFileNumber, totalFileCount, TBPF_NORMAL);
        destHandle = ZVCreateFile(
            destination, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (destHandle == INVALID_HANDLE_VALUE)
            return fail(ZV_COPY_WRITE_FAILED, destination, MB_ICONERROR, nullptr);
    }

    FILETIME created, accessed, written;
    GetFileTime(sourceHandle, &created, &accessed, &written);
    int64_t size = 0;
    if (!GetFileSize64(sourceHandle, &size))
        return fail(ZV_COPY_SIZE_FAILED, relativePath, MB_ICONERROR, destination);
    fileSize = size;
    int64_t remaining = size;
    char* buffer = run->buffer.data();
    while (remaining > 0) {
        DWORD chunk = remaining < kChunkBytes ? static_cast<DWORD>(remaining) : kChunkBytes;
        DWORD read = 0, wrote = 0;
        // A cancel closes the files: the next read fails here and the partial file goes.
        bool readWhole = ReadFile(sourceHandle, buffer, chunk, &read, nullptr) && read == chunk;
        if (!readWhole && !copyCancelled)
            return unread(destination);
        if (!readWhole || !WriteFile(destHandle, buffer, read, &wrote, nullptr))
            return fail(ZV_COPY_FAILED, destination, MB_ICONERROR | MB_SETFOREGROUND, destination);
        remaining -= wrote;
        fileBytesDone += wrote;
        discBytesDone += wrote;
        ShowCopyProgress(run, false);
        if (wrote != chunk) {
            if (remaining > 0)
                return fail(ZV_COPY_FAILED, destination, MB_ICONERROR | MB_SETFOREGROUND, destination);
            break;
        }
        if (!run->pace.IsPumpDue(Now()))
            continue;
        PumpCopyMessages(run);
        if (copyCancelled && remaining == 0) {
            // Cancelled after the last chunk: the file is whole but will not be logged, so it must not stay.
            CloseCopyHandles();
            ZVDeleteFile(destination);
            return kFileFailed;
        }
    }
    SetFileTime(destHandle, &created, &accessed, &written);
    CloseCopyHandles();
    AppendLogLine(copyLine, true);
    currentFileNumber++;
    // After every file, however small, when an interval has passed: a cancel is met within one.
    PumpCopyMessages(run);
    return kFileCopied;
}

void CInstall::ShowCopyProgress(COPY_RUN* run, bool force)
{
    COPY_VIEW view
        = {currentFileNumber, totalFileCount, Percent(fileBytesDone, fileSize), Percent(discBytesDone, run->discBytes)};
    unsigned parts = run->pace.Redraw(view, Now(), force);
    if (parts & kViewTexts) {
        CZVString fileText = CZVString::Format(ZV_COPY_FILE_TEXT, run->relativePath, run->label);
        CZVString countText = CZVString::Format(ZV_COPY_COUNT_TEXT, currentFileNumber, totalFileCount);
        person.ShowCopyTexts(fileText.GetString(), countText.GetString());
        person.ShowTaskbarProgress(currentFileNumber, totalFileCount, TBPF_NORMAL);
    }
    if (parts & kViewFileBar)
        person.ShowCopyBar(kFileBar, static_cast<int>(view.filePercent));
    if (parts & kViewDiscBar)
        person.ShowCopyBar(kDiscBar, static_cast<int>(view.discPercent));
}

void CInstall::PumpCopyMessages(COPY_RUN* run)
{
    // By the clock, after a file as inside one: a click waits an interval at most, and a run of small files asks the
    // system nothing for each (under some systems even asking whether the queue holds anything is a round trip).
    uint32_t now = Now();
    if (!run->pace.IsPumpDue(now))
        return;
    person.Breathe();
    // The rest of the time slice goes to whoever is waiting for it (the shell drawing the taskbar, another program);
    // with nobody waiting the copy goes on at once.
    Sleep(0);
    run->pace.Pumped(now);
}

void CInstall::MakeFileFolders(const char* relativePath)
{
    const int kMaxDepth = kPathBytes / 2;
    int prefixes[kMaxDepth];
    char folderPart[kPathBytes];
    CopyCutAtChar(folderPart, FolderPartLength(relativePath) + 1, relativePath);
    int count = FolderPrefixLengths(folderPart, prefixes, kMaxDepth);
    for (int i = 0; i < count; i++) {
        CZVString folder = CZVString::Format("%s%s", state.installedDir, folderPart);
        if (folder.GetLength() >= kPathBytes)
            return;
        folder.GetBuffer()[lstrlenA(state.installedDir) + prefixes[i]] = '\0';
        DWORD attributes = ZVGetFileAttributes(folder.GetString());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        // Logged like the script's folders, so that the undo and the uninstaller remove it once it is empty.
        AppendLogLine(FormatLogMakeDir(folder.GetString()));
        ZVCreateDirectory(folder.GetString(), nullptr);
    }
}

bool CInstall::ReportCopyFailure(const char* format, const char* path, UINT type, const char* partialFile)
{
    CloseCopyHandles();
    person.ShowTaskbarProgress(currentFileNumber, totalFileCount, TBPF_ERROR);
    CZVString text = CZVString::Format(format, path);
    person.Tell(text.GetString(), ZV_CAPTION_FAILURE, type);
    person.ShowTaskbarProgress(0, 0, TBPF_NOPROGRESS);
    if (partialFile != nullptr)
        ZVDeleteFile(partialFile);
    return false;
}

void CInstall::CloseCopyHandles()
{
    for (HANDLE* file : {&sourceHandle, &destHandle}) {
        if (*file != INVALID_HANDLE_VALUE) {
            CloseHandle(*file);
            *file = INVALID_HANDLE_VALUE;
        }
    }
}

bool CInstall::IsKeptFromEarlierInstall(const char* path) const
{
    for (const CZVString& kept : keptFromEarlierInstall) {
        if (kept.EqualsNoCase(path))
            return true;
    }
    return false;
}

bool CInstall::FileExists(const char* path)
{
    WIN32_FIND_DATAA found;
    CFindHandle search(ZVFindFirstFile(path, &found));
    return search.IsValid();
}

bool CInstall::FindDisc(int n)
{
    CZVString marker = DiscMarkerName(n);
    if (FileExists(marker.GetString()))
        return true;
    // An empty drive must not ask the user to insert a disc.
    UINT previousMode = SetErrorMode(kQuietErrorMode);
    bool found = false;
    for (char letter = 'A'; letter <= 'Z' && !found; letter++) {
        char root[4] = {letter, ':', '\\', '\0'};
        if (ZVGetDriveType(root) != DRIVE_CDROM)
            continue;
        char markerPath[kPathBytes];
        if (*JoinPath(markerPath, root, marker.GetString()) != '\0' && FileExists(markerPath))
            found = ZVSetCurrentDirectory(root) != FALSE;
    }
    SetErrorMode(previousMode);
    // Disc 1 needs no marker: its files are read from the start folder.
    return found || n == 1;
}
