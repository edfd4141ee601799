// The program's side of the Wayland client tests: one connection to the
// fake compositor, one window and its buffers, and the events they post.
#pragma once

#include <poll.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/ui/display/wayland/ShmFrameBuffer.h"
#include "platform/ui/display/wayland/WaylandConnection.h"
#include "platform/ui/display/wayland/WaylandWindow.h"
#include "tests/wayland/FakeCompositor.h"
#include "xdg-shell-client-protocol.h"

inline constexpr int kW = 558;
inline constexpr int kH = 251;

struct CClient {
    // libdecor's fallback, not the plugins installed here: they need globals the fake lacks.
    int nNoPlugins = setenv("LIBDECOR_PLUGIN_DIR", "/nonexistent", 1);
    std::unique_ptr<CWaylandConnection> pConnection = CWaylandConnection::Connect();
    std::vector<AFX_INPUT> events;
    std::unique_ptr<CWaylandWindow> pWindow;
    std::unique_ptr<CShmFrameBuffer> pFrameBuffer;

    CClient()
    {
        pConnection->SetPostFunction([this](const AFX_INPUT& input) { events.push_back(input); });
        pWindow.reset(new CWaylandWindow(pConnection.get(), "Quindle", kW, kH));
        pFrameBuffer.reset(new CShmFrameBuffer(pConnection.get(), pWindow.get()));
    }
    // The compositor's events read, and what the client answered to them read by the compositor.
    void Sync()
    {
        pConnection->Roundtrip();
        pConnection->Roundtrip();
    }
    // One sleep of the message loop, short.
    void Pump()
    {
        int fd = -1;
        short nEvents = 0;
        if (!pConnection->PrepareWait(&fd, &nEvents))
            return;
        pollfd p = {fd, nEvents, 0};
        poll(&p, fd >= 0 ? 1 : 0, 200);
        pConnection->FinishWait(p.revents);
    }
    // Paints the whole picture one colour and presents it, as the window layer does.
    void Paint(Uint32 nColour)
    {
        SDL_Surface* pSurface = pFrameBuffer->GetSurface();
        SDL_FillRect(pSurface, nullptr, nColour);
        pFrameBuffer->Present(SDL_Rect{0, 0, pSurface->w, pSurface->h});
        Sync();
    }
    int Count(EWindowChange change) const
    {
        int n = 0;
        for (const AFX_INPUT& input : events)
            n += input.type == EInput::kWindow && input.change == change;
        return n;
    }
    // The last key down, or nullptr.
    const AFX_INPUT* LastKey() const
    {
        for (auto it = events.rbegin(); it != events.rend(); ++it) {
            if (it->type == EInput::kKeyDown)
                return &*it;
        }
        return nullptr;
    }
    UINT LastVirtualKey() const { return LastKey() ? LastKey()->nVirtKey : 0; }
    // Shown and configured by the compositor, activated.
    void Map(CFakeCompositor& fake)
    {
        pWindow->Show();
        Sync();
        fake.Configure(0, 0, {XDG_TOPLEVEL_STATE_ACTIVATED});
        Sync();
    }
};

