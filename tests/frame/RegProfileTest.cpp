// The registry profile on the real registry, below a private key under HKEY_CURRENT_USER that each test
// removes again.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "foundation/RegProfile.h"

namespace {

const char kTestBase[] = "Software\\ZVSetupTestProfile";

class RegProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, kTestBase);
        profile.SetRoot(HKEY_CURRENT_USER, kTestBase);
        ASSERT_TRUE(profile.Create(nullptr));
    }
    void TearDown() override
    {
        profile.Close();
        RegDeleteTreeA(HKEY_CURRENT_USER, kTestBase);
    }

    // Writes a value straight through the registry, bypassing the profile.
    void RawSet(const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kTestBase, 0, KEY_SET_VALUE, &key));
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size));
        RegCloseKey(key);
    }

    static bool KeyExists(const std::string& path)
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    CRegProfile profile;
};

} // namespace

TEST_F(RegProfileTest, ValuesRoundTripByType)
{
    EXPECT_TRUE(profile.SetString("InstallDir", "C:\\ゲーム\\"));
    EXPECT_TRUE(profile.SetInt("InstallType", 3));
    const unsigned char blob[] = {0, 1, 2, 0xFF};
    EXPECT_TRUE(profile.SetBinary("Blob", blob, sizeof(blob)));

    char text[64];
    ASSERT_TRUE(profile.GetString("InstallDir", text, sizeof(text)));
    EXPECT_STREQ("C:\\ゲーム\\", text);
    DWORD number = 0;
    ASSERT_TRUE(profile.GetInt("InstallType", &number));
    EXPECT_EQ(3u, number);
    unsigned char readBlob[8] = {};
    DWORD size = sizeof(readBlob);
    ASSERT_TRUE(profile.GetBinary("Blob", readBlob, &size));
    EXPECT_EQ(sizeof(blob), size);
    EXPECT_EQ(0, memcmp(blob, readBlob, sizeof(blob)));
}

TEST_F(RegProfileTest, ReadsRefuseAnotherType)
{
    profile.SetString("Text", "12");
    profile.SetInt("Number", 12);
    char text[16] = "keep";
    DWORD number = 99;
    EXPECT_FALSE(profile.GetInt("Text", &number));
    EXPECT_EQ(99u, number);
    EXPECT_FALSE(profile.GetString("Number", text, sizeof(text)));
    EXPECT_STREQ("keep", text);
    unsigned char bytes[16];
    DWORD size = sizeof(bytes);
    EXPECT_FALSE(profile.GetBinary("Text", bytes, &size));
    EXPECT_EQ(0u, size);
    EXPECT_FALSE(profile.GetString("Missing", text, sizeof(text)));
    EXPECT_FALSE(profile.GetString("Text", nullptr, 16));
}

TEST_F(RegProfileTest, GetStringNeverWritesPastTheBuffer)
{
    profile.SetString("Dir", "abcdef");
    char buffer[12];

    memset(buffer, 0xBD, sizeof(buffer));
    EXPECT_FALSE(profile.GetString("Dir", buffer, 6)) << "six bytes and the terminator need 7";
    for (unsigned char byte : buffer)
        EXPECT_EQ(0xBD, byte) << "a refused value leaves the buffer untouched";

    memset(buffer, 0xBD, sizeof(buffer));
    EXPECT_TRUE(profile.GetString("Dir", buffer, 7)) << "exactly fits";
    EXPECT_STREQ("abcdef", buffer);
    EXPECT_EQ(0xBD, static_cast<unsigned char>(buffer[7]));

    // A value stored without its terminator still comes back terminated, inside the buffer.
    RawSet("Unterminated", REG_SZ, "xyz", 3);
    memset(buffer, 0xBD, sizeof(buffer));
    EXPECT_FALSE(profile.GetString("Unterminated", buffer, 3));
    EXPECT_TRUE(profile.GetString("Unterminated", buffer, 4));
    EXPECT_STREQ("xyz", buffer);
    EXPECT_EQ(0xBD, static_cast<unsigned char>(buffer[4]));
}

TEST_F(RegProfileTest, GetBinaryReportsTheNeededSize)
{
    const unsigned char blob[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    profile.SetBinary("Blob", blob, sizeof(blob));
    DWORD size = 0;
    EXPECT_TRUE(profile.GetBinary("Blob", nullptr, &size));
    EXPECT_EQ(10u, size);

    unsigned char buffer[12];
    memset(buffer, 0xBD, sizeof(buffer));
    size = 9;
    EXPECT_FALSE(profile.GetBinary("Blob", buffer, &size));
    EXPECT_EQ(10u, size);
    EXPECT_EQ(0xBD, buffer[0]);

    size = 0;
    EXPECT_FALSE(profile.GetBinary("Missing", nullptr, &size));
    EXPECT_EQ(0u, size);
}

TEST_F(RegProfileTest, WritesRefuseEmptyData)
{
    EXPECT_FALSE(profile.SetString("Empty", ""));
    EXPECT_FALSE(profile.SetString("Null", nullptr));
    const char data[] = "x";
    EXPECT_FALSE(profile.SetBinary("None", data, 0));
    EXPECT_FALSE(profile.SetBinary("None", nullptr, 4));
    DWORD size = 0;
    EXPECT_FALSE(profile.GetBinary("Empty", nullptr, &size)) << "nothing was written";
    EXPECT_FALSE(profile.GetBinary("None", nullptr, &size));
}

TEST_F(RegProfileTest, ReadOnlyRefusesEveryWriteUntilTheNextCreate)
{
    profile.SetInt("Kept", 1);
    profile.CreateSubKey("Child");
    profile.CloseSubKey();
    profile.Close();

    CRegProfile reader;
    reader.SetRoot(HKEY_CURRENT_USER, "Software");
    ASSERT_TRUE(reader.OpenReadOnly("ZVSetupTestProfile"));
    DWORD value = 0;
    EXPECT_TRUE(reader.GetInt("Kept", &value));
    EXPECT_FALSE(reader.SetInt("Kept", 2));
    EXPECT_FALSE(reader.SetString("Text", "x"));
    const char data[] = "x";
    EXPECT_FALSE(reader.SetBinary("Blob", data, 1));
    EXPECT_FALSE(reader.DeleteTree("Child"));
    EXPECT_TRUE(KeyExists(std::string(kTestBase) + "\\Child"));
    reader.GetInt("Kept", &value);
    EXPECT_EQ(1u, value);

    reader.Close();
    ASSERT_TRUE(reader.Create("ZVSetupTestProfile"));
    EXPECT_TRUE(reader.SetInt("Kept", 2));
    reader.Close();
}

TEST_F(RegProfileTest, OneSubKeyAtATime)
{
    EXPECT_FALSE(profile.CloseSubKey()) << "no sub-key is open";
    ASSERT_TRUE(profile.CreateSubKey("Sub"));
    EXPECT_FALSE(profile.CreateSubKey("Other")) << "a sub-key is already current";
    EXPECT_TRUE(profile.SetInt("InSub", 5));
    EXPECT_TRUE(profile.CloseSubKey());
    DWORD value = 0;
    EXPECT_FALSE(profile.GetInt("InSub", &value)) << "the main key is current again";
    EXPECT_TRUE(KeyExists(std::string(kTestBase) + "\\Sub"));
    EXPECT_FALSE(KeyExists(std::string(kTestBase) + "\\Other"));

    ASSERT_TRUE(profile.CreateSubKey("Sub"));
    EXPECT_TRUE(profile.GetInt("InSub", &value));
    EXPECT_EQ(5u, value);
    profile.Close();
    EXPECT_FALSE(profile.SetInt("Closed", 1)) << "closing closes the sub-key too";
}

TEST_F(RegProfileTest, DeleteTreeRemovesThreeLevelsAndTheKeyItself)
{
    ASSERT_TRUE(profile.CreateSubKey("Title\\A\\A1\\A11"));
    profile.CloseSubKey();
    ASSERT_TRUE(profile.CreateSubKey("Title\\A\\A2"));
    profile.SetString("Deep", "v");
    profile.CloseSubKey();
    ASSERT_TRUE(profile.CreateSubKey("Title\\B"));
    profile.CloseSubKey();
    ASSERT_TRUE(profile.CreateSubKey("Sibling"));
    profile.CloseSubKey();

    EXPECT_EQ(2u, profile.GetSubKeyCount());
    EXPECT_TRUE(profile.DeleteTree("Title"));
    EXPECT_FALSE(KeyExists(std::string(kTestBase) + "\\Title"));
    EXPECT_TRUE(KeyExists(std::string(kTestBase) + "\\Sibling")) << "a sibling stays";
    EXPECT_EQ(1u, profile.GetSubKeyCount());
    EXPECT_FALSE(profile.DeleteTree("Title")) << "nothing left to open";
}

TEST_F(RegProfileTest, DeleteTreeNeverTakesTheCurrentKeyItself)
{
    ASSERT_TRUE(profile.CreateSubKey("Child"));
    profile.CloseSubKey();
    EXPECT_FALSE(profile.DeleteTree(""));
    EXPECT_FALSE(profile.DeleteTree(nullptr));
    EXPECT_TRUE(KeyExists(std::string(kTestBase) + "\\Child"));
}

TEST_F(RegProfileTest, SubKeysAreCountedAndEnumerated)
{
    for (const char* name : {"Alpha", "Beta", "Gamma"}) {
        profile.CreateSubKey(name);
        profile.CloseSubKey();
    }
    EXPECT_EQ(3u, profile.GetSubKeyCount());
    char name[16];
    ASSERT_TRUE(profile.EnumSubKey(0, name, sizeof(name)));
    EXPECT_STREQ("Alpha", name);
    EXPECT_FALSE(profile.EnumSubKey(3, name, sizeof(name)));
    char small[3];
    EXPECT_FALSE(profile.EnumSubKey(1, small, sizeof(small))) << "the capacity is honoured";
}

TEST_F(RegProfileTest, OpenNeedsAnExistingKeyAndSetRootWaitsForClose)
{
    profile.Close();
    CRegProfile other;
    other.SetRoot(HKEY_CURRENT_USER, kTestBase);
    EXPECT_FALSE(other.Open("DoesNotExist"));
    EXPECT_EQ(0u, other.GetSubKeyCount());
    ASSERT_TRUE(other.Open(nullptr));
    other.SetRoot(HKEY_LOCAL_MACHINE, "Elsewhere"); // ignored while open
    other.Close();
    ASSERT_TRUE(other.Create("Made"));
    other.Close();
    EXPECT_TRUE(KeyExists(std::string(kTestBase) + "\\Made"));

    std::string longPath(300, 'k');
    EXPECT_FALSE(other.Create(longPath.c_str())) << "a path beyond 259 bytes is refused, not cut";
}
