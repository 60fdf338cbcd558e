#include "tests/uninstall/UninstallFixture.h"

#include <shlobj.h>

#include "foundation/PathText.h"
#include "foundation/RemoveTree.h"
#include "uninstall/ShellFolders.h"

namespace {

void MakeFolders(const std::string& folder) // with its backslash
{
    std::string withoutBackslash = folder.substr(0, folder.size() - 1);
    int parentLength = FolderPartLength(withoutBackslash.c_str());
    if (parentLength > 3)
        MakeFolders(folder.substr(0, parentLength));
    CreateDirectoryA(withoutBackslash.c_str(), nullptr);
}

BOOL CALLBACK FindBox(HWND window, LPARAM found)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64] = "";
    GetClassNameA(window, className, sizeof(className));
    if (process != GetCurrentProcessId() || lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

} // namespace

void UninstallFixture::SetUp()
{
    name = "ZVUninstallTest" + std::to_string(GetCurrentProcessId());
    base = m_folder.Path("");
    installFolder = base + "Title\\";
    userKey = "Software\\" + name;
    entryKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + name;
    IMalloc* allocator = nullptr;
    char programs[MAX_PATH] = "";
    ASSERT_TRUE(SUCCEEDED(SHGetMalloc(&allocator)));
    ASSERT_TRUE(GetShellFolderPath(allocator, CSIDL_PROGRAMS, programs));
    allocator->Release();
    group = std::string(programs) + "\\" + name;

    GetCurrentDirectoryA(sizeof(m_previousDir), m_previousDir);
    SetCurrentDirectoryA(m_elsewhere.Path("").c_str());
    INSTALL_SETTINGS& settings = window.settings;
    lstrcpyA(window.installedDir, installFolder.c_str());
    for (char* field : {settings.gametitle, settings.startmenudir, settings.registryroot})
        lstrcpyA(field, name.c_str());
    lstrcpyA(settings.installsubdir, "Title");
    lstrcpyA(settings.registrykey, "Title");
    lstrcpyA(settings.registryinstalldirvalue, "InstallDir");
    lstrcpyA(settings.registryinstalltypevalue, "InstallType");
}

void UninstallFixture::TearDown()
{
    SetCurrentDirectoryA(m_previousDir);
    for (const std::string& folder : {installFolder, base, group})
        RemoveTree(folder.c_str());
    RegDeleteTreeA(HKEY_CURRENT_USER, userKey.c_str());
    RegDeleteTreeA(HKEY_USERS, (".DEFAULT\\" + userKey).c_str());
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, entryKey.c_str());
}

void UninstallFixture::Make(const std::string& path)
{
    MakeFolders(path.substr(0, FolderPartLength(path.c_str())));
    if (*FileNamePart(path.c_str()) != '\0')
        WriteBytes(path, "x");
}

bool UninstallFixture::Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void UninstallFixture::MakeKey(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    ASSERT_EQ(
        ERROR_SUCCESS, RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    RegCloseKey(key);
}

bool UninstallFixture::KeyExists(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void UninstallFixture::WriteTitleKey(DWORD installType)
{
    std::string path = userKey + "\\Title";
    MakeKey(HKEY_CURRENT_USER, path);
    RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), "InstallDir", REG_SZ, installFolder.c_str(),
        static_cast<DWORD>(installFolder.size() + 1));
    RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), "InstallType", REG_DWORD, &installType, sizeof(installType));
}

BoxSequence::BoxSequence(const std::vector<int>& answers)
    : m_answers(answers)
{
    m_thread = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
}

std::vector<std::string> BoxSequence::Boxes()
{
    if (m_thread != nullptr) {
        InterlockedExchange(&m_stop, 1);
        WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
        m_thread = nullptr;
    }
    return m_boxes;
}

DWORD WINAPI BoxSequence::Watch(void* self)
{
    BoxSequence* watcher = static_cast<BoxSequence*>(self);
    while (watcher->m_stop == 0) {
        HWND box = nullptr;
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&box));
        if (box == nullptr) {
            Sleep(20);
            continue;
        }
        char caption[256] = "", text[2048] = "";
        GetWindowTextA(box, caption, sizeof(caption));
        GetDlgItemTextA(box, 0xFFFF, text, sizeof(text)); // the static control of a message box's text
        size_t seen = watcher->m_boxes.size();
        watcher->m_boxes.push_back(std::string(caption) + "|" + text);
        int answer = IDOK;
        if (seen < watcher->m_answers.size())
            answer = watcher->m_answers[seen];
        else if (GetDlgItem(box, IDCANCEL) != nullptr || GetDlgItem(box, IDNO) != nullptr)
            answer = GetDlgItem(box, IDCANCEL) != nullptr ? IDCANCEL : IDNO;
        PostMessageA(
            box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
        for (int wait = 0; wait < 500 && IsWindow(box) && IsWindowVisible(box); wait++)
            Sleep(10); // until it is gone, so that it is not read twice
    }
    return 0;
}
