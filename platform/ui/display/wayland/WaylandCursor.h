// Inside platform/ui: the arrow our Wayland windows show under the pointer,
// from the desktop's cursor theme (XCURSOR_THEME, XCURSOR_SIZE) through
// libwayland-cursor, at the scale of the window under it. With no theme
// installed the pointer keeps whatever the compositor shows.
#pragma once

#include <cstdint>

struct wl_pointer;
struct wl_surface;
struct wl_cursor_theme;
class CWaylandConnection;

class CWaylandCursor {
public:
    explicit CWaylandCursor(CWaylandConnection* pConnection) : m_pConnection(pConnection) {}
    ~CWaylandCursor();
    CWaylandCursor(const CWaylandCursor&) = delete;
    CWaylandCursor& operator=(const CWaylandCursor&) = delete;

    // Shows the arrow for the pointer's entry with serial nSerial over a window at nScale.
    void Set(wl_pointer* pPointer, uint32_t nSerial, int nScale);

private:
    CWaylandConnection* m_pConnection;
    wl_cursor_theme* m_pTheme = nullptr;
    int m_nThemeScale = 0; // the scale m_pTheme was loaded at
    wl_surface* m_pSurface = nullptr;
};
