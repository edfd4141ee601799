#include "platform/ui/display/wayland/WaylandCursor.h"

#include <wayland-client.h>
#include <wayland-cursor.h>

#include <cstdlib>

#include "platform/ui/display/wayland/WaylandConnection.h"

namespace {

constexpr int kDefaultSize = 24;
constexpr int kMaxSize = 256;

int ThemeSize()
{
    const char* pszSize = std::getenv("XCURSOR_SIZE");
    const int nSize = pszSize ? std::atoi(pszSize) : 0;
    return nSize > 0 && nSize <= kMaxSize ? nSize : kDefaultSize;
}

} // namespace

CWaylandCursor::~CWaylandCursor()
{
    if (m_pSurface)
        wl_surface_destroy(m_pSurface);
    if (m_pTheme)
        wl_cursor_theme_destroy(m_pTheme);
}

void CWaylandCursor::Set(wl_pointer* pPointer, uint32_t nSerial, int nScale)
{
    if (nScale != m_nThemeScale) {
        if (m_pTheme)
            wl_cursor_theme_destroy(m_pTheme);
        m_pTheme = wl_cursor_theme_load(std::getenv("XCURSOR_THEME"), ThemeSize() * nScale, m_pConnection->GetShm());
        m_nThemeScale = nScale;
    }
    wl_cursor* pCursor = m_pTheme ? wl_cursor_theme_get_cursor(m_pTheme, "left_ptr") : nullptr;
    if (!pCursor && m_pTheme)
        pCursor = wl_cursor_theme_get_cursor(m_pTheme, "default");
    if (!pCursor || pCursor->image_count == 0)
        return;
    wl_cursor_image* pImage = pCursor->images[0];
    wl_buffer* pBuffer = wl_cursor_image_get_buffer(pImage);
    if (!pBuffer)
        return;
    if (!m_pSurface)
        m_pSurface = wl_compositor_create_surface(m_pConnection->GetCompositor());
    wl_surface_set_buffer_scale(m_pSurface, nScale);
    wl_surface_attach(m_pSurface, pBuffer, 0, 0);
    wl_surface_damage(m_pSurface, 0, 0, int32_t(pImage->width) / nScale, int32_t(pImage->height) / nScale);
    wl_surface_commit(m_pSurface);
    wl_pointer_set_cursor(pPointer, nSerial, m_pSurface, int32_t(pImage->hotspot_x) / nScale,
                          int32_t(pImage->hotspot_y) / nScale);
}
