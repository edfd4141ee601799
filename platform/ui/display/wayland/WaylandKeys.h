// Inside platform/ui: the seat's keyboard through xkbcommon, its keys as the
// virtual keys of the key table every display system reads with
// (KeyTable.h): a key is its symbol at the first shift level of its layout
// ('A' with Shift held too, 'Z' on the key a German keyboard has there), the
// modifiers xkbcommon's.
//
// A keymap the compositor sends that cannot be read is replaced by the
// system's default one (XKB_DEFAULT_LAYOUT and its kin, else US), with one
// line on stderr: the keys keep working.
#pragma once

#include <cstdint>

#include "platform/core/Types.h"

struct xkb_context;
struct xkb_keymap;
struct xkb_state;

class CXkbKeyboard {
public:
    CXkbKeyboard();
    ~CXkbKeyboard();
    CXkbKeyboard(const CXkbKeyboard&) = delete;
    CXkbKeyboard& operator=(const CXkbKeyboard&) = delete;

    // The keymap in xkbcommon's text form; FALSE (the old one kept) when it cannot be compiled.
    BOOL LoadKeymap(const char* pszKeymap);
    // The system's default keymap.
    BOOL LoadDefaultKeymap();
    BOOL HasKeymap() const { return m_pState != nullptr; }
    // The modifier masks and layout group wl_keyboard's modifiers event carries.
    void UpdateModifiers(uint32_t nDepressed, uint32_t nLatched, uint32_t nLocked, uint32_t nGroup);

    // The virtual key of Wayland key code nKey (evdev's code, as wl_keyboard
    // sends it); 0 for a key the program does not read.
    UINT GetVirtualKey(uint32_t nKey) const;
    // The modifiers held (AFX_MOD_ flags).
    UINT GetMods() const;
    BOOL KeyRepeats(uint32_t nKey) const;

private:
    BOOL Take(xkb_keymap* pKeymap);

    xkb_context* m_pContext;
    xkb_keymap* m_pKeymap = nullptr;
    xkb_state* m_pState = nullptr;
};
