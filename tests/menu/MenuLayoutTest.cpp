// The menu's decisions from data: caption line breaks, the places of the extra buttons, program paths.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/MenuLayout.h"

namespace {

struct CAPTION_CASE {
    const char* proves;
    const char* caption;
    int outSize;
    int breaks;
    const char* converted;
};

const CAPTION_CASE kCaptionCases[] = {
    {"a plain caption is copied", "説明書", 64, 0, "説明書"},
    {"one pair is one CR LF", "説明書を\\n読む", 64, 1, "説明書を\r\n読む"},
    {"pairs side by side", "a\\n\\nb", 64, 2, "a\r\n\r\nb"},
    {"a backslash alone stays", "a\\b\\", 64, 0, "a\\b\\"},
    {"the trail byte 0x5C of ソ before n is no pair", "ソn", 64, 0, "ソn"},
    {"exactly fitting", "abc", 4, 0, "abc"},
    {"one byte too long is refused, not cut", "abcd", 4, -1, ""},
    {"a CR LF that would not fit is refused", "ab\\n", 4, -1, ""},
};

TEST(MenuLayout, CaptionLineBreaks)
{
    for (const CAPTION_CASE& row : kCaptionCases) {
        std::string out(80, '\xBD'); // marker bytes show an overrun
        int breaks = ConvertCaptionLineBreaks(row.caption, &out[0], row.outSize);
        EXPECT_EQ(row.breaks, breaks) << row.proves;
        EXPECT_STREQ(row.converted, out.c_str()) << row.proves;
        EXPECT_EQ('\xBD', out[row.outSize]) << row.proves;
    }
}

const MENU_COLUMN kColumn = {15, 10, 75, 20, 36}; // left, launch top, width, height, pitch

struct PLACE_CASE {
    const char* proves;
    int32_t directxrequire;
    std::vector<int> lineBreaks;
    std::vector<int> tops; // -1: no button
    std::vector<int> heights;
    int quitTop;
};

const PLACE_CASE kPlaceCases[] = {
    {"no extra buttons: quit takes the DirectX row", 0, {}, {}, {}, 10 + 2 * 36},
    {"with a DirectX requirement quit stays below DirectX", 7, {}, {}, {}, 10 + 3 * 36},
    {"without DirectX the first extra button takes its row", 0, {0, 0}, {82, 118}, {20, 20}, 154},
    {"below the DirectX button when one is needed", 9, {0}, {118}, {20}, 154},
    {"a two-line caption is double height and moves the rest one height down", 0, {1, 0}, {82, 138}, {40, 20}, 174},
    {"three lines", 0, {2}, {82}, {60}, 82 + 2 * 20 + 36},
    {"a missing program takes no row", 0, {0, -1, 0}, {82, -1, 118}, {20, 0, 20}, 154},
};

TEST(MenuLayout, ExtraButtonPlaces)
{
    for (const PLACE_CASE& row : kPlaceCases) {
        std::vector<EXTRA_BUTTON_PLACE> places;
        EXPECT_EQ(row.quitTop, PlaceExtraButtons(kColumn, row.directxrequire, row.lineBreaks, &places)) << row.proves;
        ASSERT_EQ(row.lineBreaks.size(), places.size()) << row.proves;
        for (size_t i = 0; i < places.size(); i++) {
            EXPECT_EQ(row.tops[i] >= 0, places[i].made) << row.proves << " #" << i;
            if (places[i].made) {
                EXPECT_EQ(row.tops[i], places[i].top) << row.proves << " #" << i;
                EXPECT_EQ(row.heights[i], places[i].height) << row.proves << " #" << i;
            }
        }
    }
}

TEST(MenuLayout, DefaultVerbAfterRunasOnlyWhenTheVerbIsNotRegistered)
{
    struct {
        const char* proves;
        intptr_t runasResult;
        bool openWithDefault;
    } cases[] = {
        {"opened: nothing more", 42, false},
        {"a document: Windows registers runas for programs only", 31, true}, // SE_ERR_NOASSOC
        {"an incomplete association", 27, true}, // SE_ERR_ASSOCINCOMPLETE
        {"no such file: the default verb would not find it either", 2, false},
        {"no such folder", 3, false},
        {"the user refused the rights", 5, false}, // SE_ERR_ACCESSDENIED
        {"out of memory", 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.openWithDefault, OpenWithDefaultVerbAfterRunas(c.runasResult)) << c.proves;
}

} // namespace
