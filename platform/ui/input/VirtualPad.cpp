#include <SDL.h>

#include "platform/ui/input/Gamepad.h"
#include "platform/ui/input/GamepadSource.h"

namespace {

// A standard controller's count of axes and buttons.
constexpr int kAxes = SDL_CONTROLLER_AXIS_MAX;
constexpr int kButtons = SDL_CONTROLLER_BUTTON_MISC1;

int SdlButton(CVirtualPad::EButton button)
{
    switch (button) {
    case CVirtualPad::kA:
        return SDL_CONTROLLER_BUTTON_A;
    case CVirtualPad::kB:
        return SDL_CONTROLLER_BUTTON_B;
    case CVirtualPad::kBack:
        return SDL_CONTROLLER_BUTTON_BACK;
    case CVirtualPad::kStart:
        return SDL_CONTROLLER_BUTTON_START;
    case CVirtualPad::kDpadUp:
        return SDL_CONTROLLER_BUTTON_DPAD_UP;
    default:
        return SDL_CONTROLLER_BUTTON_DPAD_DOWN;
    }
}

} // namespace

BOOL AfxRumbleGamepad(UINT nMilliseconds)
{
    return CGamepadSource::Get().Rumble(nMilliseconds);
}

EPadFamily AfxGetPadInCharge()
{
    return CGamepadSource::Get().GetFamilyInCharge();
}

CVirtualPad::~CVirtualPad()
{
    Unplug();
}

int CVirtualPad::Rumble(void* pUserData, WORD low, WORD high)
{
    if (low || high)
        ++static_cast<CVirtualPad*>(pUserData)->m_nRumbles;
    return 0;
}

BOOL CVirtualPad::Plug(BOOL bRumble, WORD nVendor, WORD nProduct)
{
    if (m_pJoystick)
        return TRUE;
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = kAxes;
    desc.nbuttons = kButtons;
    desc.button_mask = (1u << kButtons) - 1;
    desc.axis_mask = (1u << kAxes) - 1;
    desc.vendor_id = nVendor;
    desc.product_id = nProduct;
    desc.name = "Quindle test pad";
    desc.userdata = this;
    desc.Rumble = bRumble ? &CVirtualPad::Rumble : nullptr;
    const int nDevice = SDL_JoystickAttachVirtualEx(&desc);
    if (nDevice < 0)
        return FALSE;
    SDL_Joystick* pJoystick = SDL_JoystickOpen(nDevice);
    if (!pJoystick) {
        SDL_JoystickDetachVirtual(nDevice);
        return FALSE;
    }
    m_pJoystick = pJoystick;
    m_nInstance = SDL_JoystickInstanceID(pJoystick);
    return TRUE;
}

void CVirtualPad::Unplug()
{
    if (!m_pJoystick)
        return;
    SDL_JoystickClose(static_cast<SDL_Joystick*>(m_pJoystick));
    m_pJoystick = nullptr;
    // Device indices move as devices come and go: find this one's now.
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == m_nInstance) {
            SDL_JoystickDetachVirtual(i);
            break;
        }
    }
    m_nInstance = -1;
}

void CVirtualPad::Press(EButton button)
{
    if (m_pJoystick)
        SDL_JoystickSetVirtualButton(static_cast<SDL_Joystick*>(m_pJoystick), SdlButton(button), SDL_PRESSED);
}

void CVirtualPad::Release(EButton button)
{
    if (m_pJoystick)
        SDL_JoystickSetVirtualButton(static_cast<SDL_Joystick*>(m_pJoystick), SdlButton(button), SDL_RELEASED);
}

void CVirtualPad::SetStickY(int nValue)
{
    if (m_pJoystick)
        SDL_JoystickSetVirtualAxis(static_cast<SDL_Joystick*>(m_pJoystick), SDL_CONTROLLER_AXIS_LEFTY,
                                   Sint16(nValue));
}
