#include "engine/CopyPace.h"

CCopyPace::CCopyPace(uint32_t now)
    : m_lastPump(now)
    , m_lastRedraw(now)
    , m_drawnAny(false)
    , m_drawn()
{
}

bool CCopyPace::IsPumpDue(uint32_t now) const
{
    return now - m_lastPump >= kPumpEveryMs;
}

void CCopyPace::Pumped(uint32_t now)
{
    m_lastPump = now;
}

unsigned CCopyPace::Redraw(const COPY_VIEW& view, uint32_t now, bool force)
{
    if (m_drawnAny && !force && now - m_lastRedraw < kRedrawEveryMs)
        return 0;
    unsigned parts = 0;
    if (!m_drawnAny || view.fileNumber != m_drawn.fileNumber || view.fileCount != m_drawn.fileCount)
        parts |= kViewTexts;
    if (!m_drawnAny || view.filePercent != m_drawn.filePercent)
        parts |= kViewFileBar;
    if (!m_drawnAny || view.discPercent != m_drawn.discPercent)
        parts |= kViewDiscBar;
    m_drawnAny = true;
    m_drawn = view;
    m_lastRedraw = now;
    return parts;
}
