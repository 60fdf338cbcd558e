#include "tests/e2e/E2eHarness.h"

#include <fstream>

#include "foundation/ShiftJis.h"

#include <winioctl.h>

#include <tlhelp32.h>
#include <winternl.h>

namespace {

const char kBoxClass[] = "#32770";
const int kBoxTextId = 0xFFFF; // the static control that holds a message box's text

// The UTF-16 a window holds: read so, the texts are the same under every locale of the prefix.
std::u16string WideWindowText(HWND window)
{
    wchar_t text[2048] = L"";
    GetWindowTextW(window, text, 2048);
    return reinterpret_cast<const char16_t*>(text);
}

// A Shift-JIS text of a scenario as a window shows it, decoded by the program's own table whatever the locale.
std::u16string ShownText(const std::string& text)
{
    std::u16string wide;
    DecodeShiftJis(text.c_str(), &wide, kReplaceBroken);
    return wide;
}

std::string ProgramText(const std::u16string& wide)
{
    return EncodeShiftJis(wide.c_str(), wide.size());
}

struct WINDOW_QUERY {
    const char* className;
    const char* title; // null: any
    DWORD processId; // 0: any other process
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    WINDOW_QUERY* query = reinterpret_cast<WINDOW_QUERY*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() || (query->processId != 0 && process != query->processId))
        return TRUE;
    if (!IsWindowVisible(window))
        return TRUE;
    char className[64] = "";
    GetClassNameA(window, className, sizeof(className));
    if (lstrcmpA(className, query->className) != 0)
        return TRUE;
    if (query->title != nullptr && WideWindowText(window) != ShownText(query->title))
        return TRUE;
    query->found = window;
    return FALSE;
}

HWND FindWindowNow(const char* className, const char* title, DWORD processId)
{
    WINDOW_QUERY query = {className, title, processId, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

// Wine's own request to its mount manager, the one its configuration tool uses to define a drive.
#pragma pack(push, 8)
struct WINE_UNIX_DRIVE {
    ULONG size;
    ULONG type; // a DRIVE_* value
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter; // lower case
    USHORT mountPointOffset; // 0: remove the drive
    USHORT deviceOffset;
    USHORT labelOffset;
};
#pragma pack(pop)
const DWORD kDefineUnixDrive = CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
const ULONG kFsTypeIso9660 = 3;

} // namespace

bool DefineCdromDrive(char letter, const char* unixFolder)
{
    HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (manager == INVALID_HANDLE_VALUE)
        return false;
    std::string request(sizeof(WINE_UNIX_DRIVE), '\0');
    WINE_UNIX_DRIVE* drive = reinterpret_cast<WINE_UNIX_DRIVE*>(&request[0]);
    drive->type = unixFolder != nullptr ? DRIVE_CDROM : DRIVE_NO_ROOT_DIR;
    drive->fsType = kFsTypeIso9660;
    drive->letter = static_cast<WCHAR>(letter >= 'A' && letter <= 'Z' ? letter - 'A' + 'a' : letter);
    if (unixFolder != nullptr) {
        drive->mountPointOffset = static_cast<USHORT>(request.size());
        request.append(unixFolder);
        request.push_back('\0');
    }
    drive = reinterpret_cast<WINE_UNIX_DRIVE*>(&request[0]);
    drive->size = static_cast<ULONG>(request.size());
    DWORD returned = 0;
    BOOL done = DeviceIoControl(manager, kDefineUnixDrive, &request[0], drive->size, nullptr, 0, &returned, nullptr);
    CloseHandle(manager);
    return done != FALSE;
}

CStartedProcess::~CStartedProcess()
{
    if (m_process == nullptr)
        return;
    if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, 5000);
    }
    CloseHandle(m_process);
}

bool CStartedProcess::Start(const std::string& program, const std::string& arguments, const std::string& workingDir)
{
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
            workingDir.empty() ? nullptr : workingDir.c_str(), &startup, &info))
        return false;
    CloseHandle(info.hThread);
    m_process = info.hProcess;
    m_id = info.dwProcessId;
    return true;
}

namespace {

// The file name of a DLL that a debug event names, in lower case: lpImageName points, in the debugged process, at a
// pointer to the name (in UTF-16 on the NT family). Empty when the event carries none.
std::string LoadedDllName(HANDLE process, const LOAD_DLL_DEBUG_INFO& load)
{
    wchar_t* name = nullptr;
    wchar_t unit = 0;
    std::string path;
    if (load.lpImageName == nullptr || !load.fUnicode
        || !ReadProcessMemory(process, load.lpImageName, &name, sizeof(name), nullptr))
        return path;
    for (; name != nullptr && ReadProcessMemory(process, name, &unit, sizeof(unit), nullptr) && unit != 0; name++)
        path += unit < 0x80 ? static_cast<char>(tolower(unit)) : '?';
    return path.substr(path.find_last_of("\\/") + 1);
}

} // namespace

DWORD RunNotingLoadedDlls(
    const std::string& program, const std::string& workingDir, DWORD timeoutMs, std::vector<std::string>* dlls)
{
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr,
            workingDir.c_str(), &startup, &info))
        return STILL_ACTIVE;
    DWORD exitCode = STILL_ACTIVE;
    DWORD began = GetTickCount();
    for (bool running = true; running && GetTickCount() - began < timeoutMs;) {
        DEBUG_EVENT event;
        if (!WaitForDebugEvent(&event, 200))
            continue;
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            if (event.u.CreateProcessInfo.hFile != nullptr)
                CloseHandle(event.u.CreateProcessInfo.hFile);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            dlls->push_back(LoadedDllName(info.hProcess, event.u.LoadDll));
            if (event.u.LoadDll.hFile != nullptr)
                CloseHandle(event.u.LoadDll.hFile);
            break;
        case EXCEPTION_DEBUG_EVENT: // the first breakpoint is the debugger's; any other is the program's own
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
                status = DBG_EXCEPTION_NOT_HANDLED;
            break;
        case EXIT_PROCESS_DEBUG_EVENT:
            exitCode = event.u.ExitProcess.dwExitCode;
            running = false;
            break;
        default: break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    }
    if (exitCode == STILL_ACTIVE)
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return exitCode;
}

bool CStartedProcess::Open(DWORD processId)
{
    m_process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId);
    m_id = m_process != nullptr ? processId : 0;
    return m_process != nullptr;
}

DWORD CStartedProcess::WaitExit(DWORD timeoutMs)
{
    if (m_process == nullptr || WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(m_process, &exitCode);
    return exitCode;
}

namespace {

HWND WaitForWindowOf(const char* className, const char* title, DWORD timeoutMs, DWORD processId)
{
    DWORD start = GetTickCount();
    do {
        if (HWND window = FindWindowNow(className, title, processId))
            return window;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

} // namespace

HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs)
{
    return WaitForWindowOf(className, title, timeoutMs, 0);
}

FOUND_BOX WaitForBox(const char* caption, DWORD timeoutMs, DWORD processId)
{
    FOUND_BOX box;
    box.window = WaitForWindowOf(kBoxClass, caption, timeoutMs, processId);
    if (box.window != nullptr) {
        GetWindowThreadProcessId(box.window, &box.processId);
        box.caption = WindowText(box.window);
        wchar_t text[2048] = L"";
        GetDlgItemTextW(box.window, kBoxTextId, text, 2048);
        box.text = ProgramText(reinterpret_cast<const char16_t*>(text));
    }
    return box;
}

bool AnswerBox(const FOUND_BOX& box, int buttonId)
{
    if (box.window == nullptr)
        return false;
    PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
        reinterpret_cast<LPARAM>(GetDlgItem(box.window, buttonId)));
    for (int wait = 0; wait < 200; wait++) {
        if (!IsWindow(box.window) || !IsWindowVisible(box.window))
            return true;
        Sleep(25);
    }
    return false;
}

bool NoBoxAppears(DWORD processId, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        if (FindWindowNow(kBoxClass, nullptr, processId) != nullptr)
            return false;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return true;
}

std::string WindowText(HWND window)
{
    return ProgramText(WideWindowText(window));
}

std::string ProcessCommandLine(HANDLE process)
{
    typedef LONG(WINAPI * QueryProcess)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    QueryProcess query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic = {};
    if (query == nullptr || query(process, ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0)
        return "";
    PEB peb;
    RTL_USER_PROCESS_PARAMETERS parameters;
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof(peb), &read)
        || !ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof(parameters), &read))
        return "";
    std::wstring wide(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
    if (wide.empty()
        || !ReadProcessMemory(process, parameters.CommandLine.Buffer, &wide[0], parameters.CommandLine.Length, &read))
        return "";
    char text[4096] = "";
    WideCharToMultiByte(
        CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), text, sizeof(text) - 1, nullptr, nullptr);
    return text;
}

std::string ProcessImagePath(HANDLE process)
{
    char path[MAX_PATH] = "";
    DWORD size = sizeof(path);
    if (!QueryFullProcessImageNameA(process, 0, path, &size))
        return "";
    return path;
}

std::string UnixToWindows(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& ch : path) {
        if (ch == '/')
            ch = '\\';
    }
    return path;
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool PathExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveFolder(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

std::string TempPath()
{
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof(temp), temp);
    return temp;
}

std::string MakeBitmap(int width, int height, unsigned char red, unsigned char green, unsigned char blue)
{
    int rowBytes = (width * 3 + 3) & ~3;
    int pixelBytes = rowBytes * height;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + pixelBytes;
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = pixelBytes;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    std::string row(rowBytes, '\0');
    for (int x = 0; x < width; x++) {
        row[x * 3] = static_cast<char>(blue);
        row[x * 3 + 1] = static_cast<char>(green);
        row[x * 3 + 2] = static_cast<char>(red);
    }
    for (int y = 0; y < height; y++)
        bytes += row;
    return bytes;
}

std::vector<DWORD> ProcessesNamed(const char* exeName)
{
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, exeName) == 0)
            ids.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return ids;
}
