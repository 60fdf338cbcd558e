// The registry steps in this process: the title's key of a private registry root under the current user and under
// the default user, and the uninstall entry of a private title, every value and every log line exact. The keys
// are removed before and after each test.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "Version.h"
#include "tests/engine/ScriptedInstallPerson.h"

namespace {

const char kRoot[] = "ZVSetupTestEngine";
const char kKey[] = "献立表"; // "表" ends in the byte 0x5C
const char kTitle[] = "ZVSetupTest献立表";
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Deletes name below parent with everything under it.
void DeleteKey(HKEY root, const std::string& parent, const std::string& name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, parent.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    RegDeleteTreeA(key, name.c_str());
    RegCloseKey(key);
}

bool KeyExists(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// A value as "type:text" ("sz:...", "dword:123"), or "" when it is missing.
std::string ReadValue(HKEY root, const std::string& path, const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "";
    char data[2048] = "";
    DWORD type = 0, size = sizeof(data);
    std::string value;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS) {
        if (type == REG_SZ)
            value = std::string("sz:") + data;
        else if (type == REG_DWORD)
            value = "dword:" + std::to_string(*reinterpret_cast<DWORD*>(data));
        else
            value = "type " + std::to_string(type);
    }
    RegCloseKey(key);
    return value;
}

class RegistryEntriesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RemoveKeys();
        INSTALL_SETTINGS& settings = title.settings;
        lstrcpyA(settings.gametitle, kTitle);
        lstrcpyA(settings.registryroot, kRoot);
        lstrcpyA(settings.registrykey, kKey);
        lstrcpyA(settings.registryinstalldirvalue, "InstallDir");
        lstrcpyA(settings.registryinstalltypevalue, "InstallType");
        lstrcpyA(settings.executefile, "bin\\game.exe");
        lstrcpyA(settings.uninstallcommand, "-u");
        settings.installtypecount = 2;
        settings.installrequire[0] = 700;
        settings.installrequire[1] = 1500;
        lstrcpyA(title.installedDir, "C:\\Games\\献立表\\");
    }
    void TearDown() override { RemoveKeys(); }

    static void RemoveKeys()
    {
        DeleteKey(HKEY_CURRENT_USER, "Software", kRoot);
        DeleteKey(HKEY_USERS, ".DEFAULT\\Software", kRoot);
        DeleteKey(HKEY_LOCAL_MACHINE, kUninstallKey, kTitle);
    }

    INSTALL_TITLE title;
    ScriptedInstallPerson person;
    CInstall install{title, title, person};
};

// The install folder and type in the title's key, under the current user or the default user, with the type the
// script forces where it forces one.
TEST_F(RegistryEntriesTest, TitleKeyFollowsTheUserChoice)
{
    struct {
        const char* proves;
        bool forAllUsers;
        int installtype, forceinstalltype, typeValue;
    } const rows[] = {
        {"current user: the chosen type", false, 1, 0, 1},
        {"all users: the default user's hive", true, 0, 0, 0},
        {"a forced type wins over the chosen one", false, 0, 3, 3},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.proves);
        title.settings.forAllUsers = row.forAllUsers;
        title.settings.installtype = row.installtype;
        title.settings.forceinstalltype = row.forceinstalltype;
        title.installLog = CZVString("#FileCopy\n");
        EXPECT_TRUE(install.WriteRegistrySettings());

        HKEY root = row.forAllUsers ? HKEY_USERS : HKEY_CURRENT_USER;
        std::string base = row.forAllUsers ? ".DEFAULT\\Software\\ZVSetupTestEngine" : "Software\\ZVSetupTestEngine";
        EXPECT_EQ(std::string("#FileCopy\n#Registry Set\n") + (row.forAllUsers ? "regcreateau " : "regcreateu ") + base
                + ",献立表\n!regset InstallDir\n!regset InstallType\n",
            title.installLog.GetString());
        EXPECT_EQ("sz:C:\\Games\\献立表\\", ReadValue(root, base + "\\献立表", "InstallDir"));
        EXPECT_EQ("dword:" + std::to_string(row.typeValue), ReadValue(root, base + "\\献立表", "InstallType"));
        EXPECT_FALSE(KeyExists(row.forAllUsers ? HKEY_CURRENT_USER : HKEY_USERS,
            row.forAllUsers ? "Software\\ZVSetupTestEngine" : ".DEFAULT\\Software\\ZVSetupTestEngine"))
            << "the other hive is not touched";
        RemoveKeys();
    }
}

// The entry in the list of installed programs: every value exact, the key logged before its values.
TEST_F(RegistryEntriesTest, UninstallEntryNamesTheInstalledCopy)
{
    title.settings.installtype = 1;
    title.installLog.Empty();
    ASSERT_FALSE(std::string(title.moduleFileName).empty());
    ASSERT_TRUE(install.WriteUninstallEntry());

    EXPECT_EQ("#set Uninstall Info\nregcreatel Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall,"
              "ZVSetupTest献立表\n!regset UninstallString\n",
        std::string(title.installLog.GetString()));
    std::string key = std::string(kUninstallKey) + "\\" + kTitle;
    std::string module = title.moduleFileName;
    EXPECT_EQ("sz:ZVSetupTest献立表", ReadValue(HKEY_LOCAL_MACHINE, key, "DisplayName"));
    // The uninstall command follows the closing quote as it stands.
    EXPECT_EQ("sz:\"C:\\Games\\献立表\\" + module + "\" -dir \"C:\\Games\\献立表\\\"-u",
        ReadValue(HKEY_LOCAL_MACHINE, key, "UninstallString"));
    EXPECT_EQ("sz:\"C:\\Games\\献立表\\bin\\game.exe\"", ReadValue(HKEY_LOCAL_MACHINE, key, "DisplayIcon"));
    EXPECT_EQ("sz:" ZV_DISPLAY_VERSION, ReadValue(HKEY_LOCAL_MACHINE, key, "DisplayVersion"))
        << "the installer's own version";
    EXPECT_EQ("sz:ZENVORA", ReadValue(HKEY_LOCAL_MACHINE, key, "Publisher"));
    EXPECT_EQ("dword:" + std::to_string(1500 * 1024), ReadValue(HKEY_LOCAL_MACHINE, key, "EstimatedSize"));
    RemoveKeys();

    // A type the script left out of range has no size; the rest of the entry is written.
    title.settings.installtype = 12;
    title.installLog.Empty();
    EXPECT_TRUE(install.WriteUninstallEntry());
    EXPECT_EQ("", ReadValue(HKEY_LOCAL_MACHINE, key, "EstimatedSize"));
    EXPECT_EQ("sz:ZENVORA", ReadValue(HKEY_LOCAL_MACHINE, key, "Publisher"));
    RemoveKeys();

    // A title with a backslash would make keys the uninstaller never deletes: nothing is written.
    lstrcpyA(title.settings.gametitle, "ZVSetupTest\\献立表");
    title.installLog.Empty();
    EXPECT_FALSE(install.WriteUninstallEntry());
    EXPECT_STREQ("#set Uninstall Info\n", title.installLog.GetString());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\ZVSetupTest"));
}

} // namespace
