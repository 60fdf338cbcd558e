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
    lstrcpyA(title.sourceDir, m_elsewhere.Path("").c_str());
    INSTALL_SETTINGS& settings = title.settings;
    lstrcpyA(title.installedDir, installFolder.c_str());
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

int ScriptedPerson::Ask(
    UNINSTALL_QUESTION question, const char* text, const char* caption, UINT type, int recommendation)
{
    if (text[0] == '\0')
        return recommendation;
    boxes.push_back(std::string(caption) + "|" + text);
    auto answer = answers.find(question);
    if (answer != answers.end())
        return answer->second;
    return (type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDCANCEL;
}

void ScriptedPerson::Tell(const char* text, const char* caption, UINT)
{
    boxes.push_back(std::string(caption) + "|" + text);
}

void ScriptedPerson::ShowScriptMessage(const char* text)
{
    if (text[0] != '\0')
        boxes.push_back(std::string("情報|") + text);
}
