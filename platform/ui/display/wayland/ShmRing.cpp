#include "platform/ui/display/wayland/ShmRing.h"

#include <algorithm>

namespace {

CRect Union(const CRect& a, const CRect& b)
{
    if (a.IsRectEmpty())
        return b;
    if (b.IsRectEmpty())
        return a;
    return CRect(a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
                 a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom);
}

} // namespace

void CShmRing::NoteChange(const CRect& rc)
{
    for (SLOT& slot : m_slots)
        slot.rcStale = Union(slot.rcStale, rc);
}

int CShmRing::Acquire(int cx, int cy, BOOL* pbRemake)
{
    *pbRemake = FALSE;
    for (size_t i = 0; i < m_slots.size(); ++i) {
        if (!m_slots[i].bHeld && m_slots[i].cx == cx && m_slots[i].cy == cy)
            return int(i);
    }
    int i = -1;
    for (size_t j = 0; j < m_slots.size() && i < 0; ++j) {
        if (!m_slots[j].bHeld)
            i = int(j);
    }
    if (i < 0 && m_slots.size() < size_t(kMaxBuffers)) {
        m_slots.emplace_back();
        i = int(m_slots.size()) - 1;
    }
    if (i < 0)
        return -1;
    // New memory holds nothing of the picture.
    SLOT& slot = m_slots[size_t(i)];
    slot.cx = cx;
    slot.cy = cy;
    slot.rcStale = CRect(0, 0, cx, cy);
    slot.nWritten = 0;
    *pbRemake = TRUE;
    return i;
}

void CShmRing::Drop(int i)
{
    SLOT& slot = m_slots[size_t(i)];
    slot.cx = slot.cy = 0;
    slot.bHeld = FALSE;
    slot.nWritten = 0;
}

CRect CShmRing::TakeStale(int i)
{
    SLOT& slot = m_slots[size_t(i)];
    // Changes noted while the picture had another size (a zoom, a scale, fullscreen) may
    // reach past this buffer: it lacks at most all of itself.
    CRect rc(std::max(slot.rcStale.left, LONG(0)), std::max(slot.rcStale.top, LONG(0)),
             std::min(slot.rcStale.right, LONG(slot.cx)), std::min(slot.rcStale.bottom, LONG(slot.cy)));
    if (rc.IsRectEmpty())
        rc = CRect(0, 0, 0, 0);
    slot.rcStale = CRect(0, 0, 0, 0);
    slot.nWritten = ++m_nPresents;
    return rc;
}

unsigned CShmRing::GetAge(int i) const
{
    const SLOT& slot = m_slots[size_t(i)];
    return slot.nWritten ? m_nPresents - slot.nWritten + 1 : 0;
}
