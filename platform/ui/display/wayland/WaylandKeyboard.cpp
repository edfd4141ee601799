// CWaylandSeat's keyboard: the keymap, the focus, keys and how they repeat.
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/ui/display/wayland/WaylandConnection.h"
#include "platform/ui/display/wayland/WaylandSeat.h"
#include "platform/ui/display/wayland/WaylandWindow.h"

namespace {

CWaylandSeat* Self(void* pData)
{
    return static_cast<CWaylandSeat*>(pData);
}

} // namespace

const wl_keyboard_listener CWaylandSeat::s_keyboardListener = {
    [](void* p, wl_keyboard*, uint32_t nFormat, int fd, uint32_t nSize) { Self(p)->OnKeymap(nFormat, fd, nSize); },
    [](void* p, wl_keyboard*, uint32_t, wl_surface* pSurface, wl_array*) { Self(p)->OnKeyboardEnter(pSurface); },
    [](void* p, wl_keyboard*, uint32_t, wl_surface*) { Self(p)->OnKeyboardLeave(); },
    [](void* p, wl_keyboard*, uint32_t nSerial, uint32_t, uint32_t nKey, uint32_t nState) {
        Self(p)->OnKey(nSerial, nKey, nState);
    },
    [](void* p, wl_keyboard*, uint32_t, uint32_t nDepressed, uint32_t nLatched, uint32_t nLocked, uint32_t nGroup) {
        Self(p)->OnModifiers(nDepressed, nLatched, nLocked, nGroup);
    },
    [](void* p, wl_keyboard*, int32_t nRate, int32_t nDelay) { Self(p)->OnRepeatInfo(nRate, nDelay); },
};

void CWaylandSeat::OnKeymap(uint32_t nFormat, int fd, uint32_t nSize)
{
    BOOL bLoaded = FALSE;
    // Pages past the file's end would end the program when touched (SIGBUS): a size the file does not have is refused.
    struct stat st {};
    const BOOL bFits = fstat(fd, &st) == 0 && nSize > 0 && off_t(nSize) <= st.st_size;
    void* pMap = nFormat == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && bFits
                     ? mmap(nullptr, nSize, PROT_READ, MAP_PRIVATE, fd, 0)
                     : MAP_FAILED;
    close(fd);
    if (pMap != MAP_FAILED) {
        // The text ends with a NUL within nSize bytes; one that does not is no keymap.
        const char* pszKeymap = static_cast<const char*>(pMap);
        if (memchr(pszKeymap, 0, nSize))
            bLoaded = m_keyboard.LoadKeymap(pszKeymap);
        munmap(pMap, nSize);
    }
    if (bLoaded)
        return;
    std::fprintf(stderr, "%s: the compositor's keymap cannot be read; keys keep the %s one\n",
                 program_invocation_short_name, m_keyboard.HasKeymap() ? "last" : "default");
    if (!m_keyboard.HasKeymap())
        m_keyboard.LoadDefaultKeymap();
}

void CWaylandSeat::OnKeyboardEnter(wl_surface* pSurface)
{
    m_pKeyFocus = m_pConnection->FindWindow(pSurface);
    // A click on libdecor's title bar gives the keyboard to that surface
    // (weston does): the keys are still for the window it frames.
    if (!m_pKeyFocus && pSurface)
        m_pKeyFocus = m_pConnection->GetActiveWindow();
    if (m_pKeyFocus)
        PostWindowChange(m_pKeyFocus, EWindowChange::kFocusGained);
}

void CWaylandSeat::OnKeyboardLeave()
{
    // The loop's repeat of a held key stops with the focus.
    if (m_pKeyFocus)
        PostWindowChange(m_pKeyFocus, EWindowChange::kFocusLost);
    m_pKeyFocus = nullptr;
}

void CWaylandSeat::OnKey(uint32_t nSerial, uint32_t nKey, uint32_t nState)
{
    m_nSerial = nSerial;
    if (!m_keyboard.HasKeymap() || !m_pKeyFocus)
        return;
    AFX_INPUT input;
    input.type = nState == WL_KEYBOARD_KEY_STATE_PRESSED ? EInput::kKeyDown : EInput::kKeyUp;
    input.nWindowID = m_pKeyFocus->GetID();
    input.nVirtKey = m_keyboard.GetVirtualKey(nKey);
    input.nKeyCode = nKey;
    input.nMods = m_keyboard.GetMods();
    if (input.type == EInput::kKeyDown && m_nRepeatRate > 0 && m_keyboard.KeyRepeats(nKey)) {
        input.nRepeatDelay = UINT(m_nRepeatDelay);
        input.nRepeatPeriod = m_nRepeatRate >= 1000 ? 1 : UINT(1000 / m_nRepeatRate);
    }
    m_pConnection->Post(input);
}

void CWaylandSeat::OnModifiers(uint32_t nDepressed, uint32_t nLatched, uint32_t nLocked, uint32_t nGroup)
{
    m_keyboard.UpdateModifiers(nDepressed, nLatched, nLocked, nGroup);
}

void CWaylandSeat::OnRepeatInfo(int32_t nRate, int32_t nDelay)
{
    // What a key pressed from now on repeats at; a key held already keeps its pace.
    m_nRepeatRate = nRate > 0 ? nRate : 0;
    m_nRepeatDelay = nDelay > 0 ? nDelay : 0;
}
