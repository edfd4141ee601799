#include "platform/ui/display/wayland/WaylandWindow.h"

#include <wayland-client.h>

#include <algorithm>

#include "platform/ui/display/wayland/ShmFrameBuffer.h"
#include "platform/ui/display/wayland/WaylandConnection.h"
#include "platform/ui/display/wayland/WaylandShell.h"

namespace {

// Our window ids; SDL makes no window on Wayland, so they are ours alone.
uint32_t g_nLastID = 0;

CWaylandWindow* Self(void* pData)
{
    return static_cast<CWaylandWindow*>(pData);
}

const wl_surface_listener kSurfaceListener = {
    [](void* p, wl_surface*, wl_output* pOutput) { Self(p)->OnSurfaceEnter(pOutput); },
    [](void* p, wl_surface*, wl_output* pOutput) { Self(p)->OnSurfaceLeave(pOutput); },
};

const wl_callback_listener kFrameListener = {
    [](void* p, wl_callback*, uint32_t) { Self(p)->OnFrameDone(); },
};

} // namespace

CWaylandWindow::CWaylandWindow(CWaylandConnection* pConnection, const char* pszTitle, int cx, int cy)
    : m_pConnection(pConnection), m_nID(++g_nLastID),
      m_pSurface(wl_compositor_create_surface(pConnection->GetCompositor())), m_strTitle(pszTitle ? pszTitle : ""),
      m_cx(cx), m_cy(cy), m_nBufferScale(pConnection->GetOutputs().GetSoleScale())
{
    wl_surface_add_listener(m_pSurface, &kSurfaceListener, this);
    pConnection->AddWindow(this);
}

CWaylandWindow::~CWaylandWindow()
{
    m_pConnection->RemoveWindow(this);
    Hide();
    wl_surface_destroy(m_pSurface);
}

void CWaylandWindow::GetSize(int* pcx, int* pcy) const
{
    const BOOL bFull = m_bFullscreen && m_cxFullscreen > 0 && m_cyFullscreen > 0;
    *pcx = bFull ? m_cxFullscreen : m_cx;
    *pcy = bFull ? m_cyFullscreen : m_cy;
}

void CWaylandWindow::GetSizeInPixels(int* pcx, int* pcy) const
{
    GetSize(pcx, pcy);
    *pcx *= m_nBufferScale;
    *pcy *= m_nBufferScale;
}

CRect CWaylandWindow::GetWorkArea() const
{
    if (m_cxBounds > 0 && m_cyBounds > 0)
        return CRect(0, 0, m_cxBounds, m_cyBounds);
    return m_pConnection->GetOutputs().GetArea(m_outputs.empty() ? nullptr : m_outputs.front());
}

void CWaylandWindow::SetTitle(const char* pszTitle)
{
    m_strTitle = pszTitle ? pszTitle : "";
    if (m_pShell)
        m_pShell->SetTitle(m_strTitle.c_str());
}

void CWaylandWindow::SetSize(int cx, int cy)
{
    m_cx = std::max(1, cx);
    m_cy = std::max(1, cy);
    if (m_pShell)
        m_pShell->SetFixedSize(m_cx, m_cy, !m_bWantFullscreen);
}

void CWaylandWindow::SetParent(CWaylandWindow* pParent)
{
    m_pParent = pParent;
    if (m_pShell)
        m_pShell->SetParent(pParent && pParent->m_pShell ? pParent->m_pShell.get() : nullptr);
}

void CWaylandWindow::SetFullscreen(BOOL bFullscreen)
{
    m_bWantFullscreen = bFullscreen;
    if (m_pShell) {
        // Fullscreen takes the output's size, which the fixed one would forbid.
        m_pShell->SetFixedSize(m_cx, m_cy, !bFullscreen);
        m_pShell->SetFullscreen(bFullscreen);
    }
}

void CWaylandWindow::Minimize()
{
    if (m_pShell)
        m_pShell->SetMinimized();
}

void CWaylandWindow::Show()
{
    if (m_pShell)
        return;
    m_pShell.reset(m_bClientFrame ? AfxMakeClientFrameShell(m_pConnection, this)
                                  : AfxMakeWaylandShell(m_pConnection, this));
    m_pShell->SetTitle(m_strTitle.c_str());
    m_pShell->SetFixedSize(m_cx, m_cy, !m_bWantFullscreen);
    if (m_pParent && m_pParent->m_pShell)
        m_pShell->SetParent(m_pParent->m_pShell.get());
    if (m_bWantFullscreen)
        m_pShell->SetFullscreen(TRUE);
    m_pShell->Map();
}

void CWaylandWindow::Hide()
{
    if (!m_pShell)
        return;
    // A null buffer unmaps the surface; the role goes with it.
    wl_surface_attach(m_pSurface, nullptr, 0, 0);
    wl_surface_commit(m_pSurface);
    m_pShell.reset();
    if (m_pFrameCallback)
        wl_callback_destroy(m_pFrameCallback);
    m_pFrameCallback = nullptr;
    m_bConfigured = m_bActivated = m_bFullscreen = FALSE;
    m_cxFullscreen = m_cyFullscreen = 0;
}

void CWaylandWindow::Commit(wl_buffer* pBuffer, const CRect& rcDamage)
{
    wl_surface_set_buffer_scale(m_pSurface, m_nBufferScale);
    wl_surface_attach(m_pSurface, pBuffer, 0, 0);
    if (m_pConnection->GetCompositorVersion() >= WL_SURFACE_DAMAGE_BUFFER_SINCE_VERSION) {
        wl_surface_damage_buffer(m_pSurface, rcDamage.left, rcDamage.top, rcDamage.Width(), rcDamage.Height());
    } else {
        // In points, rounded outwards.
        const int s = m_nBufferScale;
        wl_surface_damage(m_pSurface, rcDamage.left / s, rcDamage.top / s, (rcDamage.right + s - 1) / s - rcDamage.left / s,
                          (rcDamage.bottom + s - 1) / s - rcDamage.top / s);
    }
    if (!m_pFrameCallback) {
        m_pFrameCallback = wl_surface_frame(m_pSurface);
        wl_callback_add_listener(m_pFrameCallback, &kFrameListener, this);
    }
    wl_surface_commit(m_pSurface);
    // The picture goes now, not at the loop's next sleep, which may come
    // only after other work (the first one starts the controllers first). What
    // the socket cannot take yet, and a lost connection, the sleep sees to.
    wl_display_flush(m_pConnection->GetDisplay());
}

void CWaylandWindow::OnFrameDone()
{
    wl_callback_destroy(m_pFrameCallback);
    m_pFrameCallback = nullptr;
    if (m_pFrameBuffer)
        m_pFrameBuffer->OnFrameDone();
}

void CWaylandWindow::OnBounds(int cx, int cy)
{
    m_cxBounds = std::max(0, cx);
    m_cyBounds = std::max(0, cy);
}

void CWaylandWindow::OnClientFrameWanted()
{
    if (m_bClientFrame)
        return;
    m_bClientFrame = TRUE;
    // The role cannot change its decorations: it goes, and a new one comes
    // (called from the old role's listener, which touches nothing after).
    if (m_pShell) {
        Hide();
        Show();
    }
}

void CWaylandWindow::OnConfigure(BOOL bActivated, BOOL bFullscreen, int cx, int cy)
{
    const BOOL bFirst = !m_bConfigured;
    int cxOld = 0;
    int cyOld = 0;
    GetSize(&cxOld, &cyOld);
    m_bConfigured = TRUE;
    m_bActivated = bActivated;
    m_bFullscreen = bFullscreen;
    m_cxFullscreen = bFullscreen ? cx : 0;
    m_cyFullscreen = bFullscreen ? cy : 0;
    int cxNew = 0;
    int cyNew = 0;
    GetSize(&cxNew, &cyNew);
    if (!bFirst && (cxNew != cxOld || cyNew != cyOld))
        PostWindowChange(EWindowChange::kSizeChanged);
    if (bFirst) {
        // The window layer paints now; its first buffer maps the window.
        PostWindowChange(EWindowChange::kShown);
        PostWindowChange(EWindowChange::kExposed);
    } else {
        // Later configures take effect with the next commit; send one now,
        // whether or not a paint follows.
        wl_surface_commit(m_pSurface);
    }
}

void CWaylandWindow::OnClose()
{
    PostWindowChange(EWindowChange::kClose);
}


void CWaylandWindow::PostWindowChange(EWindowChange change) const
{
    AFX_INPUT input;
    input.type = EInput::kWindow;
    input.nWindowID = m_nID;
    input.change = change;
    m_pConnection->Post(input);
}

void CWaylandWindow::OnSurfaceEnter(wl_output* pOutput)
{
    m_outputs.push_back(pOutput);
    UpdateBufferScale();
}

void CWaylandWindow::OnSurfaceLeave(wl_output* pOutput)
{
    m_outputs.erase(std::remove(m_outputs.begin(), m_outputs.end(), pOutput), m_outputs.end());
    UpdateBufferScale();
}

void CWaylandWindow::OnOutputGone(wl_output* pOutput)
{
    OnSurfaceLeave(pOutput);
}

void CWaylandWindow::OnOutputsChanged()
{
    UpdateBufferScale();
}

void CWaylandWindow::UpdateBufferScale()
{
    // A window off every output keeps the scale it had.
    if (m_outputs.empty())
        return;
    int nScale = 1;
    for (wl_output* pOutput : m_outputs)
        nScale = std::max(nScale, m_pConnection->GetOutputs().GetScale(pOutput));
    if (nScale == m_nBufferScale)
        return;
    m_nBufferScale = nScale;
    PostWindowChange(EWindowChange::kDisplayChanged);
}
