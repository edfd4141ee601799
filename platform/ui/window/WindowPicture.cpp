#include "platform/ui/window/WindowPicture.h"

#include <utility>

void CWindowPicture::Lose()
{
    m_diff.Reset();
    m_bKept = FALSE;
}

void CWindowPicture::BeginPaint(BOOL bErase)
{
    m_bKeep = m_bKeyGiven = FALSE;
    if (bErase)
        m_bKept = FALSE;
}

BOOL CWindowPicture::Describe(std::vector<int> key, BOOL bOverlay)
{
    m_bKeyGiven = TRUE;
    m_bKeep = m_bKept && !bOverlay && key == m_key;
    m_key = std::move(key);
    m_bKept = TRUE;
    return m_bKeep;
}

CRect CWindowPicture::Drawn(const void* pPixels, int nPitch, int w, int h)
{
    // A picture drawn with no description cannot be compared with the next one.
    if (!m_bKeyGiven)
        m_bKept = FALSE;
    return m_diff.Update(pPixels, nPitch, w, h);
}
