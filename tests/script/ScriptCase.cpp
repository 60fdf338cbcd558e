#include "tests/script/ScriptCase.h"

#include <gtest/gtest.h>

std::unique_ptr<INSTALL_DESCRIPTION> NewDescription()
{
    return std::unique_ptr<INSTALL_DESCRIPTION>(new INSTALL_DESCRIPTION());
}

void RunScriptCase(const SCRIPT_CASE& row, int callerLine)
{
    SCOPED_TRACE(testing::Message() << "row \"" << row.proves << "\" (line " << callerLine << ")");
    std::unique_ptr<INSTALL_DESCRIPTION> description = NewDescription();
    SCRIPT_ERROR error;
    bool parsed = ParseInstallScript(CZVString(row.script), description.get(), &error);
    if (row.error == nullptr) {
        ASSERT_TRUE(parsed) << "unexpected error at line " << error.line;
        EXPECT_EQ(0, memcmp(&description->settings, &description->settingsBackup, sizeof(INSTALL_SETTINGS)));
        if (row.check != nullptr)
            row.check(*description);
        return;
    }
    ASSERT_FALSE(parsed);
    ASSERT_NE(nullptr, error.message);
    EXPECT_STREQ(row.error, error.message);
    EXPECT_EQ(row.errorLine, error.line);
}

std::unique_ptr<INSTALL_DESCRIPTION> ParseValidScript(const char* script, int callerLine)
{
    SCOPED_TRACE(testing::Message() << "script parsed at line " << callerLine);
    std::unique_ptr<INSTALL_DESCRIPTION> description = NewDescription();
    SCRIPT_ERROR error;
    bool parsed = ParseInstallScript(CZVString(script), description.get(), &error);
    EXPECT_TRUE(parsed) << "error at line " << error.line;
    return description;
}
