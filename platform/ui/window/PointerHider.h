// Inside platform/ui: the pointer over a fullscreen window hides after
// kHideMs without motion and shows again at the next motion; out of
// fullscreen it always shows. Times are the clock's milliseconds; the
// display system shows and hides it. Window thread only.
#pragma once

#include "platform/core/Types.h"

class CPointerHider {
public:
    static constexpr DWORD kHideMs = 2000;
    static constexpr ULONGLONG kNever = ~ULONGLONG(0);

    void SetFullscreen(BOOL bFullscreen, ULONGLONG now);
    void OnMotion(ULONGLONG now);
    // When the pointer hides next, or kNever.
    ULONGLONG NextDue() const { return m_due; }
    // Hides it when that is due at now; TRUE if it did.
    BOOL HideIfDue(ULONGLONG now);

private:
    BOOL m_bFullscreen = FALSE;
    ULONGLONG m_due = kNever;
};
