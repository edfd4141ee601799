// Inside platform/ui: the one repeat of held keys the program makes itself,
// for the keys whose display system or device leaves it to the client:
// Wayland's keyboard (at the compositor's delay and rate) and a game
// controller's steering. A key down that carries a repeat period holds from
// then on; after its delay it repeats once a period until it is let go,
// another key that repeats goes down, or its source goes (a controller
// unplugged, the keyboard focus lost). A key down that does not repeat (a
// modifier, a controller's face button) leaves the held one going, as X11's
// own repeat does. A loop that slept long repeats once, not once for every
// period it missed. Times are the clock's milliseconds; window thread only.
#pragma once

#include "platform/core/Types.h"
#include "platform/ui/display/Input.h"

class CKeyRepeat {
public:
    static constexpr ULONGLONG kNever = ~ULONGLONG(0);

    // A key event from any source (kKeyDown or kKeyUp) at now.
    void OnKey(const AFX_INPUT& input, ULONGLONG now);
    // Whatever nSource holds is let go.
    void StopSource(int nSource);
    BOOL IsHeld() const { return m_bHeld; }
    // The source of the held key; meaningful while one is held.
    int GetSource() const { return m_held.nSource; }
    // When the held key repeats next, or kNever.
    ULONGLONG NextDue() const { return m_bHeld ? m_due : kNever; }
    // The held key's repeat (its down again, marked as a repeat) when one
    // is due at now; the next is then scheduled.
    BOOL Fire(ULONGLONG now, AFX_INPUT* pRepeat);

private:
    BOOL m_bHeld = FALSE;
    AFX_INPUT m_held;
    ULONGLONG m_due = kNever;
};
