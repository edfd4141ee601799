// Inside platform/ui: one of our Wayland windows, a surface with its shell
// role (WaylandShell.h), at a fixed size in the compositor's points, drawn at
// the buffer scale of the outputs it is on (the largest of them).
//
// It paints by frame callbacks: each commit of a new picture asks for one,
// and until the compositor answers, CanPresent says no. A window the
// compositor does not show (another workspace, minimised, covered) gets no
// answer and so paints nothing; when it is shown again the answer comes and
// the next paint goes at once.
//
// What the compositor tells it becomes window changes in the input queue
// (Input.h): kShown and kExposed after the first configure, kClose for the
// close button, kDisplayChanged when its buffer scale changes, kSizeChanged
// when fullscreen gives it the output's size or takes it back.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Rect.h"
#include "platform/core/Types.h"
#include "platform/ui/display/Input.h"

struct wl_surface;
struct wl_callback;
struct wl_buffer;
struct wl_output;
class CWaylandConnection;
class CWaylandShell;
class CShmFrameBuffer;

class CWaylandWindow {
public:
    // A window of cx x cy points; hidden until Show.
    CWaylandWindow(CWaylandConnection* pConnection, const char* pszTitle, int cx, int cy);
    ~CWaylandWindow();
    CWaylandWindow(const CWaylandWindow&) = delete;
    CWaylandWindow& operator=(const CWaylandWindow&) = delete;

    uint32_t GetID() const { return m_nID; }
    wl_surface* GetSurface() const { return m_pSurface; }
    int GetBufferScale() const { return m_nBufferScale; }
    void GetSize(int* pcx, int* pcy) const;
    void GetSizeInPixels(int* pcx, int* pcy) const;
    // Where a window may be, in points: the bounds the compositor gave
    // (the output less its panels), else the output it is on (the first
    // one while it is on none).
    CRect GetWorkArea() const;
    // What pictures it presents; the frame callback tells it.
    void SetFrameBuffer(CShmFrameBuffer* pFrameBuffer) { m_pFrameBuffer = pFrameBuffer; }
    // Whether its frame is drawn by the client (libdecor), the compositor having declined to.
    BOOL HasClientFrame() const { return m_bClientFrame; }

    void SetTitle(const char* pszTitle);
    // The fixed size in points (minimum = maximum).
    void SetSize(int cx, int cy);
    // The window it belongs to (the About box to the main window); before Show.
    void SetParent(CWaylandWindow* pParent);
    void SetFullscreen(BOOL bFullscreen);
    void Minimize();
    // Maps it: the shell role is made and the compositor asked to configure it.
    void Show();
    // Unmaps it; a later Show maps it again.
    void Hide();
    BOOL IsShown() const { return m_pShell != nullptr; }
    BOOL IsConfigured() const { return m_bConfigured; }
    BOOL IsActivated() const { return m_bActivated; }
    BOOL IsFullscreen() const { return m_bFullscreen; }

    // Whether a new picture may go to the compositor now: configured, and no
    // frame callback outstanding.
    BOOL CanPresent() const { return m_bConfigured && !m_pFrameCallback; }
    // Shows pBuffer (at the buffer scale) with rcDamage (in pixels) changed,
    // and asks for the next frame callback.
    void Commit(wl_buffer* pBuffer, const CRect& rcDamage);

    // From the shell role and the connection.
    // cx x cy: the size the compositor asks for in points (0 x 0: none),
    // which the window takes only in fullscreen.
    void OnConfigure(BOOL bActivated, BOOL bFullscreen, int cx, int cy);
    void OnClose();
    // The largest size the compositor would give in points (0 x 0: unknown).
    void OnBounds(int cx, int cy);
    // The compositor will not draw the frame: the window is made again with libdecor's.
    void OnClientFrameWanted();
    void OnOutputsChanged();
    void OnOutputGone(wl_output* pOutput);
    void OnSurfaceEnter(wl_output* pOutput);
    void OnSurfaceLeave(wl_output* pOutput);
    void OnFrameDone();

private:
    void PostWindowChange(EWindowChange change) const;
    void UpdateBufferScale();

    CWaylandConnection* m_pConnection;
    uint32_t m_nID;
    wl_surface* m_pSurface;
    std::unique_ptr<CWaylandShell> m_pShell;
    std::string m_strTitle;
    int m_cx;
    int m_cy;
    CWaylandWindow* m_pParent = nullptr;
    BOOL m_bWantFullscreen = FALSE;
    BOOL m_bConfigured = FALSE;
    BOOL m_bActivated = FALSE;
    BOOL m_bFullscreen = FALSE;
    int m_cxFullscreen = 0; // the size fullscreen gave, 0 x 0 when it gave none
    int m_cyFullscreen = 0;
    wl_callback* m_pFrameCallback = nullptr;
    CShmFrameBuffer* m_pFrameBuffer = nullptr;
    BOOL m_bClientFrame = FALSE;
    int m_cxBounds = 0; // from the shell, 0 x 0 until told
    int m_cyBounds = 0;
    std::vector<wl_output*> m_outputs; // the outputs the surface is on
    int m_nBufferScale = 1;
};
