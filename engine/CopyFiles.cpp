// The copy of the chosen type's files, disc by disc, in chunks of 1 MiB inside the copy dialog: the disc prompts,
// a measuring pass and a copy pass per disc, the overwrite question, the source's times on every copy, and one
// "copy" line in the install log for every file that arrived whole (on the journal before the file is made).
#include <vector>

#include "engine/DiscPrompt.h"
#include "engine/EngineTexts.h"
#include "engine/InstallPlan.h"
#include "foundation/ScopedHandles.h"
#include "foundation/SystemFallbacks.h"
#include "resources/resource.h"
#include "startup/InstallApp.h"
#include "ui/MainWnd.h"
#include "uninstall/InstallLog.h"

#include <commctrl.h> // after <windows.h>, which it needs
#include <shobjidl.h>

namespace {

const DWORD kChunkBytes = 1048576;
const DWORD kPaceMs = 10; // the user interface gets at least this after every chunk

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

void SetBar(HWND dialog, int bar, int64_t percent)
{
    SendDlgItemMessageA(dialog, bar, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}

} // namespace

bool CMainWnd::CopyFiles(HWND dialog)
{
    std::vector<char> buffer(kChunkBytes);
    // COM stays up for the whole copy: the taskbar's list is made for every file, and setting COM up and down
    // each time costs more than the copy of a small file.
    CComInitialization com;
    AppendLogLine(kLogFileCopyBegins);
    char startFolder[kPathBytes] = "";
    DWORD length = GetCurrentDirectoryA(sizeof(startFolder), startFolder);
    if (length >= sizeof(startFolder))
        startFolder[0] = '\0';
    currentFileNumber = 1;

    int32_t type = settings.installtype;
    const std::vector<FILE_ENTRY> noFiles;
    const std::vector<FILE_ENTRY>& files = type >= 0 && type < kMaxInstallTypes ? typeFiles[type] : noFiles;
    bool copied = true;
    for (int32_t disc = 1; disc <= settings.numberofdisc && copied && !copyCancelled; disc++) {
        // A disc that holds none of the type's files is not asked for: the install does not need it.
        if (!HasFilesOnDisc(files, disc))
            continue;
        const char* label = static_cast<size_t>(disc - 1) < discLabels.size() ? discLabels[disc - 1].GetString() : "";
        if (startFolder[0] != '\0')
            SetCurrentDirectoryA(startFolder);
        while (copied && !FindDisc(disc)) {
            CZVString text = FormatDiscText(settings.changediscmessage, label);
            CZVString caption = FormatDiscText(settings.changedisccaption, label);
            copied
                = MessageBox(text.GetString(), caption.GetString(), MB_OKCANCEL | MB_ICONINFORMATION | MB_SETFOREGROUND)
                    == IDOK
                && !copyCancelled;
        }
        int64_t discBytes = 0;
        copied = copied && MeasureDisc(files, disc, &discBytes);
        discBytesDone = 0;
        for (copyCursor = 0; copied && copyCursor < files.size(); copyCursor++) {
            const FILE_ENTRY& entry = files[copyCursor];
            if (entry.disc != disc)
                continue;
            WIN32_FIND_DATAA found;
            CFindHandle search(FindFirstFileA(entry.fileName.GetString(), &found));
            if (!search.IsValid()) {
                CZVString text = CZVString::Format(ZV_COPY_NOT_FOUND, entry.fileName.GetString());
                MessageBox(text.GetString(), ZV_CAPTION_WARNING, MB_ICONWARNING);
                copied = !copyCancelled;
                continue;
            }
            do {
                if (!IsFile(found))
                    continue;
                char relativePath[kPathBytes];
                // No further file is started once the user has cancelled.
                copied = !copyCancelled && MakeRelativePath(entry.fileName.GetString(), found.cFileName, relativePath)
                    && CopyOneFile(dialog, relativePath, label, discBytes, buffer.data());
            } while (copied && FindNextFileA(search.Get(), &found));
        }
    }
    SetTaskbarProgress(0, 0, TBPF_NOPROGRESS);
    if (!copied || copyCancelled || currentFileNumber < totalFileCount)
        return false;
    AppendLogLine(kLogFileCopyFinished);
    return true;
}

bool CMainWnd::MeasureDisc(const std::vector<FILE_ENTRY>& files, int32_t disc, int64_t* discBytes)
{
    int32_t discFiles = 0;
    *discBytes = 0;
    for (const FILE_ENTRY& entry : files) {
        if (entry.disc != disc)
            continue;
        WIN32_FIND_DATAA found;
        CFindHandle search(FindFirstFileA(entry.fileName.GetString(), &found));
        if (!search.IsValid()) {
            CZVString question = CZVString::Format(ZV_COPY_MISSING_CONTINUE, entry.fileName.GetString());
            if (MessageBox(question.GetString(), ZV_CAPTION_FAILURE, MB_OKCANCEL | MB_ICONQUESTION) != IDOK
                || copyCancelled)
                return false;
            continue;
        }
        do {
            if (IsFile(found)) {
                discFiles++;
                *discBytes += FileSizeFromWords(found.nFileSizeLow, found.nFileSizeHigh);
            }
        } while (FindNextFileA(search.Get(), &found));
    }
    if (settings.numberofdisc == 1)
        totalFileCount = discFiles;
    return true;
}

bool CMainWnd::CopyOneFile(HWND dialog, const char* relativePath, const char* label, int64_t discBytes, char* buffer)
{
    // A destination that would not fit a path is never cut into another file's name: it counts as unwritable.
    CZVString destinationText = CZVString::Format("%s%s", installedDir, relativePath);
    const char* destination = destinationText.GetString();
    bool fits = destinationText.GetLength() < kPathBytes;

    SetTaskbarProgress(currentFileNumber, totalFileCount, TBPF_NORMAL);
    SetBar(dialog, IDC_FILE_PROGRESS, 0);
    CZVString fileText = CZVString::Format(ZV_COPY_FILE_TEXT, relativePath, label);
    CZVString countText = CZVString::Format(ZV_COPY_COUNT_TEXT, currentFileNumber, totalFileCount);
    SetDlgItemTextA(dialog, IDC_FILE_TEXT, fileText.GetString());
    SetDlgItemTextA(dialog, IDC_DISC_TEXT, countText.GetString());

    MakeFileFolders(relativePath);
    sourceHandle = CreateFileA(relativePath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (sourceHandle == INVALID_HANDLE_VALUE)
        return ReportCopyFailure(ZV_COPY_OPEN_FAILED, relativePath, MB_ICONERROR, nullptr);
    JournalAhead(FormatLogCopy(relativePath));
    destHandle = fits
        ? CreateFileA(destination, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)
        : INVALID_HANDLE_VALUE;
    if (destHandle == INVALID_HANDLE_VALUE) {
        DWORD error = fits ? GetLastError() : ERROR_FILENAME_EXCED_RANGE;
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            return ReportCopyFailure(ZV_COPY_WRITE_FAILED, destination, MB_ICONERROR, nullptr);
        WithdrawJournalLine(); // the file is someone else's unless the user gives it up
        SetTaskbarProgress(currentFileNumber, totalFileCount, TBPF_PAUSED);
        CZVString question = CZVString::Format(ZV_COPY_OVERWRITE, destination);
        bool overwrite
            = MessageBox(question.GetString(), ZV_CAPTION_CONFIRMATION, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
        if (!overwrite || copyCancelled) {
            CloseCopyHandles();
            return false;
        }
        JournalAhead(FormatLogCopy(relativePath));
        destHandle = CreateFileA(
            destination, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (destHandle == INVALID_HANDLE_VALUE)
            return ReportCopyFailure(ZV_COPY_WRITE_FAILED, destination, MB_ICONERROR, nullptr);
    }

    FILETIME created, accessed, written;
    GetFileTime(sourceHandle, &created, &accessed, &written);
    int64_t size = 0;
    if (!GetFileSize64(sourceHandle, &size))
        return ReportCopyFailure(ZV_COPY_SIZE_FAILED, relativePath, MB_ICONERROR, destination);
    fileSize = size;
    fileBytesDone = 0;
    int64_t remaining = size;
    while (remaining > 0) {
        DWORD chunk = remaining < kChunkBytes ? static_cast<DWORD>(remaining) : kChunkBytes;
        DWORD read = 0, wrote = 0;
        // A cancel closes the files: the next read fails here and the partial file goes.
        if (!ReadFile(sourceHandle, buffer, chunk, &read, nullptr) || read < chunk
            || !WriteFile(destHandle, buffer, read, &wrote, nullptr))
            return ReportCopyFailure(ZV_COPY_FAILED, destination, MB_ICONERROR | MB_SETFOREGROUND, destination);
        remaining -= wrote;
        fileBytesDone += wrote;
        discBytesDone += wrote;
        SetBar(dialog, IDC_FILE_PROGRESS, Percent(fileBytesDone, fileSize));
        SetBar(dialog, IDC_DISC_PROGRESS, Percent(discBytesDone, discBytes));
        if (wrote != chunk) {
            if (remaining > 0)
                return ReportCopyFailure(ZV_COPY_FAILED, destination, MB_ICONERROR | MB_SETFOREGROUND, destination);
            break;
        }
        while (GetApp()->PeekAndPump())
            Sleep(1);
        Sleep(kPaceMs);
        if (copyCancelled && remaining == 0) {
            // Cancelled after the last chunk: the file is whole but will not be logged, so it must not stay.
            CloseCopyHandles();
            DeleteFileA(destination);
            return false;
        }
    }
    SetFileTime(destHandle, &created, &accessed, &written);
    CloseCopyHandles();
    AppendLogLine(FormatLogCopy(relativePath), true);
    currentFileNumber++;
    SetTaskbarProgress(currentFileNumber, totalFileCount, TBPF_NORMAL);
    return true;
}

void CMainWnd::MakeFileFolders(const char* relativePath)
{
    const int kMaxDepth = kPathBytes / 2;
    int prefixes[kMaxDepth];
    char folderPart[kPathBytes];
    CopyCutAtChar(folderPart, FolderPartLength(relativePath) + 1, relativePath);
    int count = FolderPrefixLengths(folderPart, prefixes, kMaxDepth);
    for (int i = 0; i < count; i++) {
        CZVString folder = CZVString::Format("%s%s", installedDir, folderPart);
        if (folder.GetLength() >= kPathBytes)
            return;
        folder.GetBuffer()[lstrlenA(installedDir) + prefixes[i]] = '\0';
        DWORD attributes = GetFileAttributesA(folder.GetString());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        // Logged like the script's folders, so that the undo and the uninstaller remove it once it is empty.
        AppendLogLine(FormatLogMakeDir(folder.GetString()));
        CreateDirectoryA(folder.GetString(), nullptr);
    }
}

bool CMainWnd::ReportCopyFailure(const char* format, const char* path, UINT type, const char* partialFile)
{
    CloseCopyHandles();
    SetTaskbarProgress(currentFileNumber, totalFileCount, TBPF_ERROR);
    CZVString text = CZVString::Format(format, path);
    MessageBox(text.GetString(), ZV_CAPTION_FAILURE, type);
    SetTaskbarProgress(0, 0, TBPF_NOPROGRESS);
    if (partialFile != nullptr)
        DeleteFileA(partialFile);
    return false;
}

void CMainWnd::CloseCopyHandles()
{
    for (HANDLE* file : {&sourceHandle, &destHandle}) {
        if (*file != INVALID_HANDLE_VALUE) {
            CloseHandle(*file);
            *file = INVALID_HANDLE_VALUE;
        }
    }
}
