#include "startup/Unattended.h"

#include "foundation/PathText.h"

bool SearchDiscsForScript(bool quiet, bool scriptPresent)
{
    return !quiet || !scriptPresent;
}

int StoppingAnswer(unsigned int boxType)
{
    switch (boxType & kBoxButtonsMask) {
    case kBoxOkCancel:
    case kBoxYesNoCancel:
    case kBoxRetryCancel:
    case kBoxCancelTryContinue: return kAnswerCancel;
    case kBoxAbortRetryIgnore: return kAnswerAbort;
    case kBoxYesNo: return kAnswerNo;
    default: return kAnswerOk;
    }
}

CZVString FormatReportLine(const LOG_TIME& time, const char* caption, const char* text)
{
    CZVString line = CZVString::Format(
        "%04d-%02d-%02d %02d:%02d:%02d [", time.year, time.month, time.day, time.hour, time.minute, time.second);
    line = line + caption + "] ";
    // Line breaks are single bytes that no double-byte character contains, so they are replaced byte by byte.
    CZVString body(text);
    char* bytes = body.GetBuffer();
    int length = body.GetLength();
    int end = length;
    while (end > 0 && (bytes[end - 1] == '\n' || bytes[end - 1] == '\r'))
        end--;
    for (int i = 0; i < end; i++) {
        if (bytes[i] == '\n' || bytes[i] == '\r')
            bytes[i] = ' ';
    }
    bytes[end] = '\0';
    line = line + bytes + "\r\n";
    return line;
}

UNATTENDED_REFUSAL ChooseUnattendedSettings(
    const COMMAND_LINE_OPTIONS& options, bool allUsersOffered, INSTALL_SETTINGS* settings)
{
    // The types the dialog shows: at most its ten buttons.
    int32_t typeCount = settings->installtypecount < kMaxInstallTypes ? settings->installtypecount : kMaxInstallTypes;
    int32_t type = options.type > 0 ? options.type - 1 : settings->installtype;
    if (type < 0 || type >= typeCount)
        return options.type > 0 ? kRefusalNoSuchType : kRefusalTypeNeeded;
    if (options.allUsers && !(allUsersOffered && settings->allowalluser))
        return kRefusalAllUsers;

    settings->installtype = type;
    if (options.target[0] != '\0') {
        // A drive root "C:\" is kept as "C:", as the dialog keeps it, so that the sub-folder joins with one backslash.
        CopyCutAtChar(settings->installdir, sizeof(settings->installdir), options.target);
        RemoveTrailingBackslash(settings->installdir);
    }
    settings->desktopshortcut = settings->desktopshortcut && !options.noDesktop;
    settings->startmenushortcut = settings->startmenushortcut && !options.noStartMenu;
    settings->forAllUsers = options.allUsers;
    return kRefusalNone;
}

int RefusalExitCode(UNATTENDED_REFUSAL refusal)
{
    switch (refusal) {
    case kRefusalNone: return kExitDone;
    case kRefusalAllUsers: return kExitRefused;
    case kRefusalNoSuchType:
    case kRefusalTypeNeeded: break;
    }
    return kExitCannotStart;
}
