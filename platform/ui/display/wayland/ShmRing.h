// Inside platform/ui: which shared-memory buffer a Wayland window writes its
// next picture into, and what of the picture each buffer is missing. The
// window keeps one picture of its own; presenting copies into a buffer only
// the part that changed since that buffer was last written (its age, kept as
// a rectangle), then hands the buffer to the compositor.
//
// The rule: a buffer the compositor holds (attached and not yet released) is
// never written; a free buffer of the right size is reused; a free one of
// another size is made again at the new size; a new one is made while there
// are fewer than kMaxBuffers; else there is none to write now, and the
// present waits for a release. No Wayland here, so the rule is tested alone.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/core/Rect.h"

class CShmRing {
public:
    static constexpr int kMaxBuffers = 3;

    // The part rc of the picture changed: every buffer now lacks it too.
    void NoteChange(const CRect& rc);
    // The buffer to write a cx x cy picture into, or -1 when every one is
    // held. *pbRemake says whether its memory must be made (again) first.
    int Acquire(int cx, int cy, BOOL* pbRemake);
    // Buffer i has no memory (making it failed): it is made anew when next acquired.
    void Drop(int i);
    // What buffer i lacks of the picture, within its size; the part is then
    // taken as written.
    CRect TakeStale(int i);
    // The compositor holds buffer i from its attach until its release.
    void MarkHeld(int i) { m_slots[size_t(i)].bHeld = TRUE; }
    void Release(int i) { m_slots[size_t(i)].bHeld = FALSE; }
    BOOL IsHeld(int i) const { return m_slots[size_t(i)].bHeld; }
    int GetCount() const { return int(m_slots.size()); }
    // Presents since buffer i was last written (0: never written).
    unsigned GetAge(int i) const;

private:
    struct SLOT {
        int cx = 0;
        int cy = 0;
        BOOL bHeld = FALSE;
        CRect rcStale;           // the picture's part this buffer does not show
        unsigned nWritten = 0;   // the present count when it was last written, 0 never
    };
    std::vector<SLOT> m_slots;
    unsigned m_nPresents = 0;
};
