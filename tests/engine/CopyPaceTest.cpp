// The copy's pace: the windows get their messages by the clock, and the dialog is redrawn at most 10 times
// a second with only what changed, however many files go by in between.
#include <gtest/gtest.h>

#include "engine/CopyPace.h"

namespace {

TEST(CopyPace, RedrawsWhatChangedAtMostEvery100Ms)
{
    const unsigned kAll = kViewTexts | kViewFileBar | kViewDiscBar;
    // One copy, step by step from the time 1000: small files go by faster than a redraw, then a large one.
    struct {
        const char* proves;
        uint32_t now;
        COPY_VIEW view;
        bool force;
        unsigned parts;
    } const steps[] = {
        {"the first picture is drawn at once, whole", 1000, {1, 2000, 0, 0}, false, kAll},
        {"the next file 10 ms later waits", 1010, {2, 2000, 0, 0}, false, 0},
        {"and the one after it too", 1099, {3, 2000, 0, 1}, false, 0},
        {"100 ms on: the texts and the disc bar, not the unchanged file bar", 1100, {4, 2000, 0, 1}, false,
            kViewTexts | kViewDiscBar},
        {"due, but nothing changed", 1200, {4, 2000, 0, 1}, false, 0},
        {"a redraw with nothing to draw still counts", 1250, {4, 2000, 50, 1}, false, 0},
        {"inside a large file only its bars move", 1300, {4, 2000, 50, 2}, false, kViewFileBar | kViewDiscBar},
        {"a box is about to cover the dialog: drawn at once", 1301, {5, 2000, 0, 2}, true, kViewTexts | kViewFileBar},
        {"a new total is a new text", 1401, {5, 4, 0, 2}, false, kViewTexts},
        {"just before the clock wraps", 0xFFFFFFF0u, {6, 4, 0, 2}, false, kViewTexts},
        {"60 ms later, across the wrap", 0x0000002Cu, {7, 4, 0, 2}, false, 0},
        {"100 ms later, across the wrap", 0x00000054u, {7, 4, 10, 2}, false, kViewTexts | kViewFileBar},
    };
    CCopyPace pace(1000);
    for (const auto& step : steps)
        EXPECT_EQ(step.parts, pace.Redraw(step.view, step.now, step.force)) << step.proves;
}

TEST(CopyPace, TheWindowsArePumpedEvery10MsOfCopying)
{
    struct {
        const char* proves;
        uint32_t now;
        bool pump; // the loop pumps when it is due
        bool due;
    } const steps[] = {
        {"not at the start", 500, false, false},
        {"chunks 9 ms in", 509, false, false},
        {"10 ms after the start", 510, true, true},
        {"counted from the last pump", 515, false, false},
        {"pumped after a file, not asked", 517, true, false},
        {"10 ms after that", 527, false, true},
        {"a long chunk: still due", 900, true, true},
        {"across the wrap", 0xFFFFFFFCu, true, true},
        {"6 ms later", 0x00000002u, false, false},
        {"10 ms later", 0x00000006u, false, true},
        {"19 ms later, still", 0x0000000Fu, false, true},
    };
    CCopyPace pace(500);
    for (const auto& step : steps) {
        EXPECT_EQ(step.due, pace.IsPumpDue(step.now)) << step.proves;
        if (step.pump)
            pace.Pumped(step.now);
    }
}

} // namespace
