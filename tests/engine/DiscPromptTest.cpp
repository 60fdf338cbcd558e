// The disc-change prompt's texts: the script's format with the disc's label put in, never handed to a printf-style
// formatter, so that a script's "%d" or second "%s" reads no argument that was never passed.
#include <gtest/gtest.h>

#include <string>

#include "engine/DiscPrompt.h"

namespace {

TEST(DiscPrompt, TheLabelGoesWhereTheScriptSays)
{
    struct {
        const char* proves;
        const char* format;
        const char* expected;
    } const rows[] = {
        {"the default message", "ディスク%sに入れ替えてください", "ディスク二枚目に入れ替えてください"},
        {"a caption without the label", "ディスクの交換", "ディスクの交換"},
        {"every %s gets the label", "%s / %s", "二枚目 / 二枚目"},
        {"%% is a percent sign", "100%% %s", "100% 二枚目"},
        {"other conversions stay as written", "%d枚目 %x %", "%d枚目 %x %"},
        {"empty", "", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(std::string(row.expected), FormatDiscText(row.format, "二枚目").GetString()) << row.proves;
    EXPECT_EQ(std::string("[]"), FormatDiscText("[%s]", "").GetString()) << "an empty label";
}

} // namespace
