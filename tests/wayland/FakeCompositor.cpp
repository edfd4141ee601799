#include "tests/wayland/FakeCompositor.h"

#include <sys/socket.h>

#include <cstdarg>

#include "tests/wayland/FakeState.h"

CFakeCompositor::CFakeCompositor(const OPTIONS& options) : m_p(new STATE)
{
    STATE& s = *m_p;
    s.options = options;
    // A client refused or gone is the test's point: libwayland need not say so too.
    wl_log_set_handler_server([](const char*, va_list) {});
    wl_display_init_shm(s.pDisplay);
    s.Offer(&wl_compositor_interface, 5);
    s.Offer(&xdg_wm_base_interface, int(options.nWmBaseVersion));
    if (options.bDecorations)
        s.Offer(&zxdg_decoration_manager_v1_interface, 1);
    int fds[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0)
        std::abort();
    s.pClient = wl_client_create(s.pDisplay, fds[0]);
    s.clientGone.notify = [](wl_listener* pListener, void*) {
        STATE* self = wl_container_of(pListener, self, clientGone);
        self->pClient = nullptr;
    };
    wl_client_add_destroy_listener(s.pClient, &s.clientGone);
    // The client's end is not closed on exec: wl_display_connect takes it from here.
    setenv("WAYLAND_SOCKET", std::to_string(fds[1]).c_str(), 1);
    s.thread = std::thread([this] { m_p->Run(); });
}

CFakeCompositor::~CFakeCompositor()
{
    const uint64_t one = 1;
    if (write(m_p->stopFd, &one, sizeof(one)) < 0)
        std::abort();
    m_p->thread.join();
    unsetenv("WAYLAND_SOCKET");
    if (m_p->pClient)
        wl_client_destroy(m_p->pClient);
    wl_display_destroy(m_p->pDisplay);
    close(m_p->stopFd);
}

uint32_t CFakeCompositor::Configure(int cx, int cy, const std::vector<uint32_t>& states, int cxBounds, int cyBounds)
{
    uint32_t nSerial = 0;
    m_p->Do([&] {
        STATE& s = *m_p;
        if (!s.pToplevel)
            return;
        if (cxBounds > 0 && wl_resource_get_version(s.pToplevel) >= XDG_TOPLEVEL_CONFIGURE_BOUNDS_SINCE_VERSION)
            xdg_toplevel_send_configure_bounds(s.pToplevel, cxBounds, cyBounds);
        wl_array array;
        wl_array_init(&array);
        for (uint32_t nState : states)
            *static_cast<uint32_t*>(wl_array_add(&array, sizeof(uint32_t))) = nState;
        xdg_toplevel_send_configure(s.pToplevel, cx, cy, &array);
        wl_array_release(&array);
        nSerial = ++s.nSerial;
        xdg_surface_send_configure(s.pXdgSurface, nSerial);
    });
    return nSerial;
}

void CFakeCompositor::SendFrames()
{
    m_p->Do([&] {
        const std::vector<wl_resource*> frames = m_p->frames;
        for (wl_resource* pFrame : frames) {
            wl_callback_send_done(pFrame, 0);
            wl_resource_destroy(pFrame);
        }
    });
}

bool CFakeCompositor::Release(int nHeld)
{
    bool bDone = false;
    m_p->Do([&] {
        m_p->held.remove_if([](const STATE::HELD& h) { return !h.pBuffer; });
        auto it = m_p->held.begin();
        std::advance(it, std::min<size_t>(size_t(nHeld), m_p->held.size()));
        if (it == m_p->held.end())
            return;
        wl_buffer_send_release(it->pBuffer);
        wl_list_remove(&it->destroyed.link);
        m_p->held.erase(it);
        bDone = true;
    });
    return bDone;
}

int CFakeCompositor::AddOutput(int nScale, int cx, int cy)
{
    int n = 0;
    m_p->Do([&] {
        n = int(m_p->outputs.size());
        m_p->outputs.push_back(STATE::OUTPUT{nullptr, nScale, cx, cy, {}});
        m_p->outputs.back().pGlobal = m_p->Offer(&wl_output_interface, 4, n);
    });
    return n;
}

void CFakeCompositor::SetOutputScale(int nOutput, int nScale)
{
    m_p->Do([&] {
        m_p->outputs[size_t(nOutput)].nScale = nScale;
        for (wl_resource* pResource : m_p->outputs[size_t(nOutput)].resources)
            STATE::SendScale(pResource, nScale);
    });
}

void CFakeCompositor::RemoveOutput(int nOutput)
{
    m_p->Do([&] {
        wl_global_destroy(m_p->outputs[size_t(nOutput)].pGlobal);
        m_p->outputs[size_t(nOutput)].pGlobal = nullptr;
    });
}

void CFakeCompositor::EnterOutput(int nOutput)
{
    m_p->Do([&] {
        if (wl_resource* pOutput = m_p->OutputOf(nOutput))
            wl_surface_send_enter(m_p->pSurface, pOutput);
    });
}

void CFakeCompositor::AddSeat()
{
    m_p->Do([&] {
        const int n = int(m_p->seats.size());
        m_p->seats.push_back(STATE::SEAT{nullptr, {}, {}});
        m_p->seats.back().pGlobal = m_p->Offer(&wl_seat_interface, 8, n);
    });
}

void CFakeCompositor::RemoveSeat()
{
    m_p->Do([&] {
        wl_global_destroy(m_p->seats.back().pGlobal);
        m_p->seats.back().pGlobal = nullptr;
    });
}

void CFakeCompositor::KeyboardEnter()
{
    m_p->Do([&] {
        wl_array keys;
        wl_array_init(&keys);
        for (wl_resource* pKeyboard : m_p->seats.back().keyboards) {
            wl_keyboard_send_enter(pKeyboard, ++m_p->nSerial, m_p->pSurface, &keys);
            wl_keyboard_send_modifiers(pKeyboard, ++m_p->nSerial, 0, 0, 0, 0);
        }
        wl_array_release(&keys);
    });
}

void CFakeCompositor::Key(uint32_t nKey, bool bDown)
{
    m_p->Do([&] {
        for (wl_resource* pKeyboard : m_p->seats.back().keyboards)
            wl_keyboard_send_key(pKeyboard, ++m_p->nSerial, 0, nKey,
                                 bDown ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
    });
}

void CFakeCompositor::RepeatInfo(int32_t nRate, int32_t nDelay)
{
    m_p->Do([&] {
        for (wl_resource* pKeyboard : m_p->seats.back().keyboards)
            wl_keyboard_send_repeat_info(pKeyboard, nRate, nDelay);
    });
}

void CFakeCompositor::RefuseCompositor(uint32_t nCode)
{
    m_p->Do([&] { wl_resource_post_error(m_p->pCompositor, nCode, "refused by the test's compositor"); });
}

void CFakeCompositor::Close()
{
    m_p->Do([&] {
        if (m_p->pClient)
            wl_client_destroy(m_p->pClient);
    });
}

CFakeCompositor::SEEN CFakeCompositor::See()
{
    SEEN seen;
    m_p->Do([&] {
        STATE& s = *m_p;
        s.held.remove_if([](const STATE::HELD& h) { return !h.pBuffer; });
        s.seen.nHeld = int(s.held.size());
        for (const STATE::HELD& h : s.held)
            s.seen.bHeldWritten = s.seen.bHeldWritten || STATE::Hash(h.pBuffer) != h.nHash;
        s.seen.nSeats = s.seen.nKeyboards = s.seen.nOutputs = 0;
        for (const STATE::SEAT& seat : s.seats) {
            s.seen.nSeats += int(seat.seats.size());
            s.seen.nKeyboards += int(seat.keyboards.size());
        }
        for (const STATE::OUTPUT& output : s.outputs)
            s.seen.nOutputs += int(output.resources.size());
        seen = s.seen;
    });
    return seen;
}
