// Reading Install.ifo from a file: what can and cannot be loaded.
#include <gtest/gtest.h>

#include "script/ScriptTexts.h"
#include "tests/TestFiles.h"
#include "tests/script/ScriptCase.h"

namespace {

TEST(ReadInstallScript, MissingFileIsUnreadableAndLeavesAResetDescription)
{
    TestFolder folder;
    auto d = NewDescription();
    d->settings.numberofdisc = 7;
    d->commands.push_back(COMMAND_ENTRY());
    SCRIPT_ERROR error;
    EXPECT_EQ(kScriptUnreadable, ReadInstallScript(folder.Path("Install.ifo").c_str(), d.get(), &error));
    EXPECT_EQ(1, d->settings.numberofdisc);
    EXPECT_TRUE(d->commands.empty());
}

TEST(ReadInstallScript, EmptyFileLacksTheTypeCount)
{
    TestFolder folder;
    WriteBytes(folder.Path("Install.ifo"), "");
    auto d = NewDescription();
    SCRIPT_ERROR error;
    EXPECT_EQ(kScriptSyntaxError, ReadInstallScript(folder.Path("Install.ifo").c_str(), d.get(), &error));
    EXPECT_STREQ(ZV_ERROR_NO_TYPE_COUNT, error.message);
    EXPECT_EQ(2, error.line);
}

TEST(ReadInstallScript, TextEndsAtTheFirstZeroByte)
{
    TestFolder folder;
    WriteBytes(folder.Path("Install.ifo"), std::string("$installtypecount = 1\r\n\0garbage\r\n", 34));
    auto d = NewDescription();
    SCRIPT_ERROR error;
    EXPECT_EQ(kScriptRead, ReadInstallScript(folder.Path("Install.ifo").c_str(), d.get(), &error));
    EXPECT_EQ(1, d->settings.installtypecount);
}

} // namespace
