// The Wayland display system: our own client (wayland/), with no SDL video
// at all, so that no GL library is ever loaded for a software picture. Our
// input goes straight into the framework's input queue; SDL keeps audio,
// controllers, text and the quit request a signal makes.
#include <SDL.h>
#include <poll.h>

#include <memory>
#include <string>

#include "platform/ui/display/DeviceScale.h"
#include "platform/ui/display/DisplaySystem.h"
#include "platform/ui/display/NativeWindow.h"
#include "platform/ui/display/wayland/ShmFrameBuffer.h"
#include "platform/ui/display/wayland/WaylandConnection.h"
#include "platform/ui/display/wayland/WaylandWindow.h"

namespace {

class CWaylandNativeWindow : public CNativeWindow {
public:
    CWaylandNativeWindow(CWaylandConnection* pConnection, const char* pszTitle, int cx, int cy)
        : m_pConnection(pConnection), m_window(pConnection, pszTitle, cx, cy), m_frameBuffer(pConnection, &m_window)
    {
    }

    CWaylandWindow& GetWindow() { return m_window; }
    Uint32 GetID() const override { return m_window.GetID(); }
    void Show() override { m_window.Show(); }
    void GetSize(int* pcx, int* pcy) const override { m_window.GetSize(pcx, pcy); }
    void GetSizeInPixels(int* pcx, int* pcy) const override { m_window.GetSizeInPixels(pcx, pcy); }
    void SetSize(int cx, int cy) override { m_window.SetSize(cx, cy); }
    void SetFixedSize(int cx, int cy) override { m_window.SetSize(cx, cy); }
    // A Wayland client never learns where its windows are, nor places them.
    void GetPosition(int* px, int* py) const override { *px = *py = 0; }
    void SetPosition(int, int) override {}
    BOOL GetBordersSize(int*, int*, int*, int*) const override { return FALSE; }
    // The desktop takes the icon from the desktop entry named by the app id.
    void SetIcon(SDL_Surface*) override {}
    void SetParent(CNativeWindow* pParent) override
    {
        m_window.SetParent(pParent ? &static_cast<CWaylandNativeWindow*>(pParent)->m_window : nullptr);
    }
    // xdg-shell tells no client that it is minimised: it just gets no frames.
    BOOL IsMinimized() const override { return FALSE; }
    void SetFullscreen(BOOL bFullscreen) override { m_window.SetFullscreen(bFullscreen); }
    CRect GetWorkArea() const override { return m_window.GetWorkArea(); }
    // Nor can it tell where a window is: one that grew is shown anew, and
    // the compositor places it as a new one (sway centres it on its output).
    void KeepOnScreen(int, int, BOOL bShown) override
    {
        if (!bShown)
            return;
        m_window.Hide();
        m_window.Show();
    }
    BOOL HasKeyboardFocus() const override
    {
        return m_pConnection->GetKeyboardFocus() == &m_window;
    }
    // The compositor gives the focus; our other window closing gives it back by itself.
    void TakeKeyboardFocus() override {}
    // Frame callbacks pace it; the loop's own pacing counts 60 Hz.
    UINT GetRefreshRate() const override { return 0; }
    CFrameBuffer* GetFrameBuffer() override { return &m_frameBuffer; }
    BOOL CanPresent() const override { return m_window.CanPresent(); }

private:
    CWaylandConnection* m_pConnection;
    CWaylandWindow m_window;
    CShmFrameBuffer m_frameBuffer;
};

class CWaylandDisplaySystem : public CDisplaySystem {
public:
    const char* GetDriverName() const override { return "wayland"; }

    BOOL Start(const char*) override
    {
        m_pConnection = CWaylandConnection::Connect();
        if (!m_pConnection)
            return FALSE;
        if (SDL_InitSubSystem(SDL_INIT_EVENTS) != 0) {
            m_pConnection.reset();
            return FALSE;
        }
        return TRUE;
    }

    void Stop() override
    {
        m_pConnection.reset();
        SDL_QuitSubSystem(SDL_INIT_EVENTS);
    }

    std::unique_ptr<CNativeWindow> CreateWindow(const char* pszTitle, int cx, int cy, BOOL) override
    {
        if (!m_pConnection)
            return nullptr;
        return std::unique_ptr<CNativeWindow>(new CWaylandNativeWindow(m_pConnection.get(), pszTitle, cx, cy));
    }

    void Attach(SDL_Window*) override {}

    void GetScaleSources(CNativeWindow* pWindow, DEVICESCALESOURCES* pSources) const override
    {
        pSources->dOutputScale = static_cast<CWaylandNativeWindow*>(pWindow)->GetWindow().GetBufferScale();
    }

    BOOL AnyWindowHasKeyboardFocus() const override
    {
        return m_pConnection && m_pConnection->GetKeyboardFocus();
    }

    void ShowPointer(BOOL bShow) override
    {
        if (m_pConnection)
            m_pConnection->ShowPointer(bShow);
    }

    BOOL PrepareWait(int* pFd) override
    {
        *pFd = -1;
        if (!m_pConnection)
            return TRUE;
        CheckConnection();
        return m_pConnection->PrepareWait(pFd, &m_nWaitEvents);
    }
    short GetWaitEvents() const override { return m_nWaitEvents; }

    void FinishWait(short nRevents) override
    {
        if (!m_pConnection)
            return;
        m_pConnection->FinishWait(nRevents);
        CheckConnection();
    }

    BOOL IsLost() const override { return m_pConnection && m_pConnection->IsLost(); }

private:
    void CheckConnection() const
    {
        if (!IsLost())
            return;
        const std::string strRefused = m_pConnection->GetProtocolError();
        if (!strRefused.empty())
            AfxDisplayRefused(("the Wayland compositor refused us: " + strRefused).c_str());
        AfxDisplayLost();
    }

    std::unique_ptr<CWaylandConnection> m_pConnection;
    short m_nWaitEvents = POLLIN;
};

} // namespace

CDisplaySystem* AfxMakeWaylandDisplaySystem()
{
    static CWaylandDisplaySystem system;
    return &system;
}
