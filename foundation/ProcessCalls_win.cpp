#include "foundation/ProcessCalls_win.h"

#include <cstring>
#include <string>
#include <vector>

#include "foundation/UnicodeText_win.h"

namespace {

// The command line after the program's name, which the system quotes when it holds blanks and ends at the first
// blank otherwise, as the runtime libraries split it.
const wchar_t* SkipProgramName(const wchar_t* commandLine)
{
    const wchar_t* cursor = commandLine;
    if (*cursor == L'"') {
        cursor++;
        while (*cursor != L'\0' && *cursor != L'"')
            cursor++;
        if (*cursor == L'"')
            cursor++;
    } else {
        while (*cursor != L'\0' && *cursor != L' ' && *cursor != L'\t')
            cursor++;
    }
    while (*cursor == L' ' || *cursor == L'\t')
        cursor++;
    return cursor;
}

} // namespace

BOOL ZVCreateProcess(LPCSTR application, LPSTR commandLine, LPSECURITY_ATTRIBUTES processSecurity,
    LPSECURITY_ATTRIBUTES threadSecurity, BOOL inheritHandles, DWORD flags, LPVOID environment, LPCSTR folder,
    LPSTARTUPINFOA startup, LPPROCESS_INFORMATION process)
{
    if (!UsesUnicodeCalls())
        return CreateProcessA(application, commandLine, processSecurity, threadSecurity, inheritHandles, flags,
            environment, folder, startup, process);
    UNICODE_CALL(kernel32, CreateProcessW);
    CUnicodeText wideApplication(application), wideCommand(commandLine), wideFolder(folder);
    CUnicodeText desktop(startup->lpDesktop), title(startup->lpTitle);
    if (!wideApplication.IsValid() || !wideCommand.IsValid() || !wideFolder.IsValid() || !desktop.IsValid()
        || !title.IsValid()) {
        SetLastError(ERROR_INVALID_NAME);
        return FALSE;
    }
    if (CreateProcessW_ == nullptr) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return FALSE;
    }
    // CreateProcessW may write to the command line: it gets a copy of its own.
    std::vector<wchar_t> writableCommand;
    if (wideCommand.Get() != nullptr) {
        const wchar_t* text = wideCommand.Get();
        writableCommand.assign(text, text + wcslen(text) + 1);
    }
    STARTUPINFOW wideStartup;
    static_assert(sizeof(wideStartup) == sizeof(*startup), "the two forms differ only in their texts' type");
    memcpy(&wideStartup, startup, sizeof(wideStartup));
    wideStartup.lpReserved = nullptr;
    wideStartup.lpDesktop = const_cast<wchar_t*>(desktop.Get());
    wideStartup.lpTitle = const_cast<wchar_t*>(title.Get());
    return CreateProcessW_(wideApplication.Get(), writableCommand.empty() ? nullptr : writableCommand.data(),
        processSecurity, threadSecurity, inheritHandles, flags, environment, wideFolder.Get(), &wideStartup, process);
}

HANDLE ZVCreateMutex(LPSECURITY_ATTRIBUTES security, BOOL initialOwner, LPCSTR name)
{
    if (!UsesUnicodeCalls())
        return CreateMutexA(security, initialOwner, name);
    UNICODE_CALL(kernel32, CreateMutexW);
    CUnicodeText wideName(name);
    if (!wideName.IsValid() || CreateMutexW_ == nullptr) {
        SetLastError(wideName.IsValid() ? ERROR_CALL_NOT_IMPLEMENTED : ERROR_INVALID_NAME);
        return nullptr;
    }
    return CreateMutexW_(security, initialOwner, wideName.Get());
}

HANDLE ZVOpenMutex(DWORD access, BOOL inherit, LPCSTR name)
{
    if (!UsesUnicodeCalls())
        return OpenMutexA(access, inherit, name);
    UNICODE_CALL(kernel32, OpenMutexW);
    CUnicodeText wideName(name);
    if (!wideName.IsValid() || OpenMutexW_ == nullptr) {
        SetLastError(wideName.IsValid() ? ERROR_CALL_NOT_IMPLEMENTED : ERROR_INVALID_NAME);
        return nullptr;
    }
    return OpenMutexW_(access, inherit, wideName.Get());
}

CZVString ProgramArguments(const char* ansiArguments)
{
    if (!UsesUnicodeCalls())
        return CZVString(ansiArguments != nullptr ? ansiArguments : "");
    UNICODE_CALL(kernel32, GetCommandLineW);
    const wchar_t* commandLine = GetCommandLineW_ != nullptr ? GetCommandLineW_() : nullptr;
    if (commandLine == nullptr)
        return CZVString(ansiArguments != nullptr ? ansiArguments : "");
    return CZVString(ToProgramText(SkipProgramName(commandLine)).c_str());
}
