#include "platform/ui/display/wayland/WaylandKeys.h"

#include <xkbcommon/xkbcommon.h>

#include "platform/ui/display/Input.h"
#include "platform/ui/display/KeyTable.h"

namespace {

// xkbcommon's key codes are evdev's plus 8 (the X11 offset).
constexpr uint32_t kXkbOffset = 8;

} // namespace

CXkbKeyboard::CXkbKeyboard() : m_pContext(xkb_context_new(XKB_CONTEXT_NO_FLAGS)) {}

CXkbKeyboard::~CXkbKeyboard()
{
    xkb_state_unref(m_pState);
    xkb_keymap_unref(m_pKeymap);
    xkb_context_unref(m_pContext);
}

BOOL CXkbKeyboard::Take(xkb_keymap* pKeymap)
{
    if (!pKeymap)
        return FALSE;
    xkb_state* pState = xkb_state_new(pKeymap);
    if (!pState) {
        xkb_keymap_unref(pKeymap);
        return FALSE;
    }
    xkb_state_unref(m_pState);
    xkb_keymap_unref(m_pKeymap);
    m_pKeymap = pKeymap;
    m_pState = pState;
    return TRUE;
}

BOOL CXkbKeyboard::LoadKeymap(const char* pszKeymap)
{
    return m_pContext && pszKeymap &&
           Take(xkb_keymap_new_from_string(m_pContext, pszKeymap, XKB_KEYMAP_FORMAT_TEXT_V1,
                                           XKB_KEYMAP_COMPILE_NO_FLAGS));
}

BOOL CXkbKeyboard::LoadDefaultKeymap()
{
    return m_pContext && Take(xkb_keymap_new_from_names(m_pContext, nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS));
}

void CXkbKeyboard::UpdateModifiers(uint32_t nDepressed, uint32_t nLatched, uint32_t nLocked, uint32_t nGroup)
{
    if (m_pState)
        xkb_state_update_mask(m_pState, nDepressed, nLatched, nLocked, 0, 0, nGroup);
}

BOOL CXkbKeyboard::KeyRepeats(uint32_t nKey) const
{
    return m_pKeymap && xkb_keymap_key_repeats(m_pKeymap, nKey + kXkbOffset);
}

UINT CXkbKeyboard::GetVirtualKey(uint32_t nKey) const
{
    if (!m_pState)
        return 0;
    const xkb_keycode_t code = nKey + kXkbOffset;
    const xkb_layout_index_t layout = xkb_state_key_get_layout(m_pState, code);
    const xkb_keysym_t* pSyms = nullptr;
    if (layout == XKB_LAYOUT_INVALID || xkb_keymap_key_get_syms_by_level(m_pKeymap, code, layout, 0, &pSyms) <= 0)
        return 0;
    return AfxVirtualKeyOfXkb(pSyms[0]);
}

UINT CXkbKeyboard::GetMods() const
{
    if (!m_pState)
        return 0;
    const auto active = [this](const char* pszName) {
        return xkb_state_mod_name_is_active(m_pState, pszName, XKB_STATE_MODS_EFFECTIVE) > 0;
    };
    return (active(XKB_MOD_NAME_SHIFT) ? AFX_MOD_SHIFT : 0) | (active(XKB_MOD_NAME_CTRL) ? AFX_MOD_CTRL : 0) |
           (active(XKB_MOD_NAME_ALT) ? AFX_MOD_ALT : 0);
}
