#include "platform/ui/display/wayland/WaylandKeys.h"


#include <linux/input-event-codes.h>
#include <xkbcommon/xkbcommon.h>

namespace {

// xkbcommon's key codes are evdev's plus 8 (the X11 offset).
constexpr uint32_t kXkbOffset = 8;

struct KEYSYMMAP {
    xkb_keysym_t sym;
    SDL_Keycode key;
};

constexpr KEYSYMMAP kKeysyms[] = {
    {XKB_KEY_Return, SDLK_RETURN},     {XKB_KEY_KP_Enter, SDLK_KP_ENTER}, {XKB_KEY_Escape, SDLK_ESCAPE},
    {XKB_KEY_BackSpace, SDLK_BACKSPACE}, {XKB_KEY_Tab, SDLK_TAB},         {XKB_KEY_ISO_Left_Tab, SDLK_TAB},
    {XKB_KEY_Up, SDLK_UP},             {XKB_KEY_Down, SDLK_DOWN},         {XKB_KEY_Left, SDLK_LEFT},
    {XKB_KEY_Right, SDLK_RIGHT},       {XKB_KEY_Home, SDLK_HOME},         {XKB_KEY_End, SDLK_END},
    {XKB_KEY_Page_Up, SDLK_PAGEUP},    {XKB_KEY_Page_Down, SDLK_PAGEDOWN}, {XKB_KEY_Insert, SDLK_INSERT},
    {XKB_KEY_Delete, SDLK_DELETE},     {XKB_KEY_Shift_L, SDLK_LSHIFT},    {XKB_KEY_Shift_R, SDLK_RSHIFT},
    {XKB_KEY_Control_L, SDLK_LCTRL},   {XKB_KEY_Control_R, SDLK_RCTRL},   {XKB_KEY_Alt_L, SDLK_LALT},
    {XKB_KEY_Alt_R, SDLK_RALT},        {XKB_KEY_Super_L, SDLK_LGUI},      {XKB_KEY_Super_R, SDLK_RGUI},
    {XKB_KEY_KP_Up, SDLK_UP},          {XKB_KEY_KP_Down, SDLK_DOWN},      {XKB_KEY_Menu, SDLK_MENU},
};

struct SCANCODEMAP {
    uint32_t evdev;
    SDL_Scancode scancode;
};

constexpr SCANCODEMAP kScancodes[] = {
    {KEY_ESC, SDL_SCANCODE_ESCAPE},     {KEY_ENTER, SDL_SCANCODE_RETURN},   {KEY_KPENTER, SDL_SCANCODE_KP_ENTER},
    {KEY_SPACE, SDL_SCANCODE_SPACE},    {KEY_BACKSPACE, SDL_SCANCODE_BACKSPACE}, {KEY_TAB, SDL_SCANCODE_TAB},
    {KEY_UP, SDL_SCANCODE_UP},          {KEY_DOWN, SDL_SCANCODE_DOWN},      {KEY_LEFT, SDL_SCANCODE_LEFT},
    {KEY_RIGHT, SDL_SCANCODE_RIGHT},    {KEY_HOME, SDL_SCANCODE_HOME},      {KEY_END, SDL_SCANCODE_END},
    {KEY_PAGEUP, SDL_SCANCODE_PAGEUP},  {KEY_PAGEDOWN, SDL_SCANCODE_PAGEDOWN}, {KEY_INSERT, SDL_SCANCODE_INSERT},
    {KEY_DELETE, SDL_SCANCODE_DELETE},  {KEY_LEFTSHIFT, SDL_SCANCODE_LSHIFT}, {KEY_RIGHTSHIFT, SDL_SCANCODE_RSHIFT},
    {KEY_LEFTCTRL, SDL_SCANCODE_LCTRL}, {KEY_RIGHTCTRL, SDL_SCANCODE_RCTRL}, {KEY_LEFTALT, SDL_SCANCODE_LALT},
    {KEY_RIGHTALT, SDL_SCANCODE_RALT},  {KEY_LEFTMETA, SDL_SCANCODE_LGUI},  {KEY_RIGHTMETA, SDL_SCANCODE_RGUI},
};

SDL_Keycode KeycodeOf(xkb_keysym_t sym)
{
    for (const KEYSYMMAP& m : kKeysyms) {
        if (m.sym == sym)
            return m.key;
    }
    if (sym >= XKB_KEY_F1 && sym <= XKB_KEY_F12)
        return SDL_Keycode(SDLK_F1 + int(sym - XKB_KEY_F1));
    // Printable Latin-1 keysyms are their characters; SDL names letters in lower case.
    if (sym >= XKB_KEY_A && sym <= XKB_KEY_Z)
        return SDL_Keycode(sym - XKB_KEY_A + 'a');
    if (sym >= 0x20 && sym <= 0x7e)
        return SDL_Keycode(sym);
    return SDLK_UNKNOWN;
}

// The letter keys' evdev codes, from A to Z: they follow the rows of a keyboard, not the alphabet.
constexpr uint32_t kLetterKeys[] = {KEY_A, KEY_B, KEY_C, KEY_D, KEY_E, KEY_F, KEY_G, KEY_H, KEY_I,
                                    KEY_J, KEY_K, KEY_L, KEY_M, KEY_N, KEY_O, KEY_P, KEY_Q, KEY_R,
                                    KEY_S, KEY_T, KEY_U, KEY_V, KEY_W, KEY_X, KEY_Y, KEY_Z};

SDL_Scancode ScancodeOf(uint32_t nKey)
{
    for (const SCANCODEMAP& m : kScancodes) {
        if (m.evdev == nKey)
            return m.scancode;
    }
    for (int i = 0; i < 26; ++i) {
        if (kLetterKeys[i] == nKey)
            return SDL_Scancode(SDL_SCANCODE_A + i);
    }
    if (nKey >= KEY_1 && nKey <= KEY_0) // 1 .. 9, then 0, as SDL orders them too
        return SDL_Scancode(SDL_SCANCODE_1 + int(nKey - KEY_1));
    if (nKey >= KEY_F1 && nKey <= KEY_F10)
        return SDL_Scancode(SDL_SCANCODE_F1 + int(nKey - KEY_F1));
    if (nKey == KEY_F11 || nKey == KEY_F12)
        return SDL_Scancode(SDL_SCANCODE_F11 + int(nKey - KEY_F11));
    return SDL_SCANCODE_UNKNOWN;
}

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

SDL_Keysym CXkbKeyboard::GetKeysym(uint32_t nKey) const
{
    SDL_Keysym keysym{};
    if (!m_pState)
        return keysym;
    const xkb_keycode_t code = nKey + kXkbOffset;
    const xkb_layout_index_t layout = xkb_state_key_get_layout(m_pState, code);
    const xkb_keysym_t* pSyms = nullptr;
    if (layout != XKB_LAYOUT_INVALID && xkb_keymap_key_get_syms_by_level(m_pKeymap, code, layout, 0, &pSyms) > 0)
        keysym.sym = KeycodeOf(pSyms[0]);
    keysym.scancode = ScancodeOf(nKey);
    keysym.mod = GetMods();
    return keysym;
}

Uint16 CXkbKeyboard::GetMods() const
{
    if (!m_pState)
        return KMOD_NONE;
    const auto active = [this](const char* pszName) {
        return xkb_state_mod_name_is_active(m_pState, pszName, XKB_STATE_MODS_EFFECTIVE) > 0;
    };
    Uint16 mod = KMOD_NONE;
    if (active(XKB_MOD_NAME_SHIFT))
        mod |= KMOD_LSHIFT;
    if (active(XKB_MOD_NAME_CTRL))
        mod |= KMOD_LCTRL;
    if (active(XKB_MOD_NAME_ALT))
        mod |= KMOD_LALT;
    if (active(XKB_MOD_NAME_LOGO))
        mod |= KMOD_LGUI;
    if (active(XKB_MOD_NAME_CAPS))
        mod |= KMOD_CAPS;
    if (active(XKB_MOD_NAME_NUM))
        mod |= KMOD_NUM;
    return mod;
}
