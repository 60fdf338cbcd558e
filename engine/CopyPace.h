// The pace of the copy: when the copy loop lets the windows handle their messages and when it redraws its
// progress, decided from the time alone. The copy neither sleeps a fixed time per chunk nor redraws per file:
// the windows are pumped every kPumpEveryMs, inside a file as after one, and the dialog is redrawn at most every
// kRedrawEveryMs, however small the files.
//
// Times are milliseconds of a clock that wraps at 2^32 (timeGetTime); only differences are compared, so the wrap
// does no harm.
#pragma once

#include <cstdint>

// What the copy dialog and the taskbar button show.
struct COPY_VIEW {
    int32_t fileNumber; // of "全体(%d of %d)"; a new number is a new file, whose texts are shown anew
    int32_t fileCount;
    int64_t filePercent; // bar 1020
    int64_t discPercent; // bar 1021
};

// The parts of the view a redraw changes.
enum COPY_VIEW_PART : unsigned {
    kViewTexts = 1, // the file's text, the count text and the taskbar's count
    kViewFileBar = 2,
    kViewDiscBar = 4,
};

class CCopyPace {
public:
    static const uint32_t kPumpEveryMs = 10;
    static const uint32_t kRedrawEveryMs = 100; // ten pictures a second: a bar that moves smoothly, texts one can read

    // The copy starts at now: nothing has been drawn, so the first redraw is due at once.
    explicit CCopyPace(uint32_t now);

    // True when the windows have waited kPumpEveryMs or longer since the last Pumped.
    bool IsPumpDue(uint32_t now) const;
    void Pumped(uint32_t now);

    // The parts of view (COPY_VIEW_PART bits) that differ from what was drawn last, when a redraw is due: at least
    // kRedrawEveryMs after the last one, or at once when force is set (before a box covers the dialog). 0 when no
    // redraw is due. What it returns counts as drawn from then on.
    unsigned Redraw(const COPY_VIEW& view, uint32_t now, bool force);

private:
    uint32_t m_lastPump;
    uint32_t m_lastRedraw;
    bool m_drawnAny;
    COPY_VIEW m_drawn;
};
