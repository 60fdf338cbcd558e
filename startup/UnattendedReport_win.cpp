#include "startup/UnattendedReport.h"

#include <cstring>

#include "foundation/FileCalls.h"
#include "foundation/WindowCalls_win.h"
#include "startup/Unattended.h"

static_assert(MB_OKCANCEL == kBoxOkCancel && MB_YESNO == kBoxYesNo && MB_ABORTRETRYIGNORE == kBoxAbortRetryIgnore
        && MB_YESNOCANCEL == kBoxYesNoCancel && MB_RETRYCANCEL == kBoxRetryCancel && MB_TYPEMASK == kBoxButtonsMask,
    "box types as the system numbers them");
static_assert(IDOK == kAnswerOk && IDCANCEL == kAnswerCancel && IDABORT == kAnswerAbort && IDNO == kAnswerNo,
    "answers as the system numbers them");

namespace {

bool unattended = false;
char reportFile[MAX_PATH] = "";

} // namespace

void BeginUnattendedRun(const char* logFile, bool startReport)
{
    unattended = true;
    reportFile[0] = '\0';
    if (logFile == nullptr || logFile[0] == '\0' || strlen(logFile) >= sizeof(reportFile))
        return;
    strcpy(reportFile, logFile);
    if (startReport) {
        HANDLE file = ZVCreateFile(reportFile, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
}

bool IsUnattendedRun()
{
    return unattended;
}

void ReportLine(const char* caption, const char* text)
{
    if (reportFile[0] == '\0')
        return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    LOG_TIME time = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    CZVString line = FormatReportLine(time, caption, text);
    // Opened for every line: the first start and the copy both write to it, and a line must be there even when the
    // process ends the next moment.
    HANDLE file = ZVCreateFile(reportFile, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    if (SetFilePointer(file, 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER || GetLastError() == NO_ERROR)
        WriteFile(file, line.GetString(), static_cast<DWORD>(line.GetLength()), &written, nullptr);
    CloseHandle(file);
}

int ShowOrReportBox(HWND owner, const char* text, const char* caption, UINT type)
{
    if (!unattended)
        return ShowProgramMessageBox(owner, text, caption, type);
    ReportLine(caption, text);
    return StoppingAnswer(type);
}
