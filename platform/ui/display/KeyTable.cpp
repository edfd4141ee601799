#include "platform/ui/display/KeyTable.h"

#include <SDL_keycode.h>
#include <xkbcommon/xkbcommon-keysyms.h>

#include "platform/core/VirtualKeys.h"

namespace {

struct KEYNAMES {
    UINT nVirtKey;
    SDL_Keycode nSdl;
    uint32_t nXkb;
    BOOL bKeypad;
};

// A virtual key may have several rows: '=' and '+' both zoom in, and the
// keypad's 0 is Insert to xkbcommon without Num Lock.
constexpr KEYNAMES kKeys[] = {
    {VK_RETURN, SDLK_RETURN, XKB_KEY_Return, FALSE},
    {VK_RETURN, SDLK_KP_ENTER, XKB_KEY_KP_Enter, TRUE},
    {VK_ESCAPE, SDLK_ESCAPE, XKB_KEY_Escape, FALSE},
    {VK_SPACE, SDLK_SPACE, XKB_KEY_space, FALSE},
    {VK_TAB, SDLK_TAB, XKB_KEY_Tab, FALSE},
    {VK_UP, SDLK_UP, XKB_KEY_Up, FALSE},
    {VK_DOWN, SDLK_DOWN, XKB_KEY_Down, FALSE},
    {VK_F1, SDLK_F1, XKB_KEY_F1, FALSE},
    {VK_F4, SDLK_F4, XKB_KEY_F4, FALSE},
    {VK_F11, SDLK_F11, XKB_KEY_F11, FALSE},
    {VK_OEM_PLUS, SDLK_EQUALS, XKB_KEY_equal, FALSE},
    {VK_OEM_PLUS, SDLK_PLUS, XKB_KEY_plus, FALSE},
    {VK_OEM_MINUS, SDLK_MINUS, XKB_KEY_minus, FALSE},
    {VK_ADD, SDLK_KP_PLUS, XKB_KEY_KP_Add, TRUE},
    {VK_SUBTRACT, SDLK_KP_MINUS, XKB_KEY_KP_Subtract, TRUE},
    {VK_NUMPAD0, SDLK_KP_0, XKB_KEY_KP_0, TRUE},
    {VK_NUMPAD0, SDLK_KP_0, XKB_KEY_KP_Insert, TRUE},
};

} // namespace

UINT AfxVirtualKeyOfSdl(int32_t nSdlKey)
{
    if (nSdlKey >= SDLK_a && nSdlKey <= SDLK_z)
        return UINT('A' + (nSdlKey - SDLK_a));
    if (nSdlKey >= SDLK_0 && nSdlKey <= SDLK_9)
        return UINT('0' + (nSdlKey - SDLK_0));
    for (const KEYNAMES& k : kKeys) {
        if (k.nSdl == nSdlKey)
            return k.nVirtKey;
    }
    return 0;
}

UINT AfxVirtualKeyOfXkb(uint32_t nKeysym)
{
    if (nKeysym >= XKB_KEY_a && nKeysym <= XKB_KEY_z)
        return UINT('A' + (nKeysym - XKB_KEY_a));
    if (nKeysym >= XKB_KEY_A && nKeysym <= XKB_KEY_Z)
        return UINT('A' + (nKeysym - XKB_KEY_A));
    if (nKeysym >= XKB_KEY_0 && nKeysym <= XKB_KEY_9)
        return UINT('0' + (nKeysym - XKB_KEY_0));
    for (const KEYNAMES& k : kKeys) {
        if (k.nXkb == nKeysym)
            return k.nVirtKey;
    }
    return 0;
}

int32_t AfxSdlKeyOf(UINT nVirtKey, BOOL bKeypad)
{
    if (nVirtKey >= 'A' && nVirtKey <= 'Z')
        return SDLK_a + int32_t(nVirtKey - 'A');
    if (nVirtKey >= '0' && nVirtKey <= '9')
        return SDLK_0 + int32_t(nVirtKey - '0');
    SDL_Keycode nFound = SDLK_UNKNOWN;
    for (const KEYNAMES& k : kKeys) {
        if (k.nVirtKey != nVirtKey)
            continue;
        if (k.bKeypad == bKeypad)
            return k.nSdl;
        if (nFound == SDLK_UNKNOWN)
            nFound = k.nSdl;
    }
    return nFound;
}
