// The fallbacks under Wine, which has the newer calls too: both ways must give the same answers.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "foundation/SystemFallbacks.h"
#include "tests/TestFiles.h"

namespace {

TEST(SystemFallbacksWin, TheFallbacksAgreeWithTheNewerCalls)
{
    TestFolder folder;
    std::string file = folder.Path("five.bin");
    WriteBytes(file, "12345");
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, handle);
    int64_t size = -1, sizeFromWords = -1;
    EXPECT_TRUE(GetFileSize64(handle, &size));
    EXPECT_TRUE(GetFileSize64FromWords(handle, &sizeFromWords));
    CloseHandle(handle);
    EXPECT_EQ(5, size);
    EXPECT_EQ(5, sizeFromWords);
    EXPECT_FALSE(GetFileSize64FromWords(INVALID_HANDLE_VALUE, &size));

    // The cluster figures stop near 2 GB on the first Windows 95 release; elsewhere they give what the newer call
    // gives, up to the clusters freed or taken between the two calls.
    uint64_t freeBytes = 0, freeFromClusters = 0;
    std::string root = folder.Path("").substr(0, 3);
    EXPECT_TRUE(GetFreeDiskBytes(root.c_str(), &freeBytes));
    EXPECT_TRUE(GetFreeDiskBytesFromClusters(root.c_str(), &freeFromClusters));
    EXPECT_GT(freeBytes, 0u);
    EXPECT_NEAR(static_cast<double>(freeBytes), static_cast<double>(freeFromClusters), 64.0 * 1024 * 1024);
    EXPECT_FALSE(GetFreeDiskBytes("", &freeBytes)) << "no drive (a network share), and never the current one";
    EXPECT_FALSE(GetFreeDiskBytes("Q:\\no such drive\\", &freeBytes));
}

TEST(SystemFallbacksWin, FoldersAreMadeFromTheTopDown)
{
    TestFolder folder;
    std::string top = folder.Path("表示");
    std::string deep = top + "\\ソフト\\data";
    EXPECT_TRUE(MakeSureFolderPathExists((deep + "\\").c_str()));
    DWORD attributes = GetFileAttributesA(deep.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_TRUE(MakeSureFolderPathExists(deep.c_str())) << "an existing path, without its backslash";

    // A file where a folder should be: the path cannot exist as a folder.
    WriteBytes(top + "\\file", "x");
    EXPECT_FALSE(MakeSureFolderPathExists((top + "\\file\\below").c_str()));
    EXPECT_FALSE(MakeSureFolderPathExists((top + "\\file").c_str()));
    EXPECT_FALSE(MakeSureFolderPathExists(""));
    EXPECT_FALSE(MakeSureFolderPathExists(std::string(300, 'a').c_str()));

    DeleteFileA((top + "\\file").c_str());
    RemoveDirectoryA(deep.c_str());
    RemoveDirectoryA((top + "\\ソフト").c_str());
    RemoveDirectoryA(top.c_str());
}

} // namespace
