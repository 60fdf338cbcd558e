// A saved log is whole or not there at all: the temporary file beside it never stays, and a failure never cuts the
// file that was there.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "foundation/SaveWhole.h"
#include "tests/TestFiles.h"

namespace {

TEST(SaveWhole, TheFileIsReplacedWholeOrLeftAsItWas)
{
    TestFolder folder;
    const std::string log = folder.Path("uninst.dat");
    const std::string temporary = log + ".new";
    const CZVString first("## 一回目\ncopy a.dat\n");
    const CZVString second("## 二回目\ncopy b.dat\ncopy uninst.dat\n");

    EXPECT_TRUE(SaveWhole(first, log.c_str()));
    EXPECT_EQ(first.GetString(), ReadBytes(log));
    EXPECT_TRUE(SaveWhole(second, log.c_str())) << "an older log is replaced";
    EXPECT_EQ(second.GetString(), ReadBytes(log));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(temporary.c_str()));

    // Its temporary name taken by a folder: nothing is written, and the old log stays as it was.
    ASSERT_TRUE(CreateDirectoryA(temporary.c_str(), nullptr));
    EXPECT_FALSE(SaveWhole(first, log.c_str()));
    EXPECT_EQ(second.GetString(), ReadBytes(log));
    ASSERT_TRUE(RemoveDirectoryA(temporary.c_str()));

    // Its own name taken by a folder: the move fails, and the temporary file goes again.
    const std::string blocked = folder.Path("blocked");
    ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
    EXPECT_FALSE(SaveWhole(first, blocked.c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((blocked + ".new").c_str()));

    EXPECT_FALSE(SaveWhole(CZVString(""), folder.Path("empty.dat").c_str())) << "an empty log is no log";
    EXPECT_FALSE(SaveWhole(first, folder.Path("no such folder\\uninst.dat").c_str()));
    EXPECT_FALSE(SaveWhole(first, (std::string("C:\\") + std::string(255, 'a')).c_str())) << "no room for .new";
}

} // namespace
