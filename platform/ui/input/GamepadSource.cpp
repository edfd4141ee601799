#include "platform/ui/input/GamepadSource.h"

#include <algorithm>

#include "platform/core/VirtualKeys.h"
#include "platform/ui/display/Input.h"

namespace {

// A short buzz, both motors at about two thirds.
constexpr Uint16 kRumbleLow = 0xA000;
constexpr Uint16 kRumbleHigh = 0xA000;

UINT PadKey(Uint8 nButton)
{
    switch (nButton) {
    case SDL_CONTROLLER_BUTTON_A:
        return VK_GAMEPAD_A;
    case SDL_CONTROLLER_BUTTON_B:
        return VK_GAMEPAD_B;
    case SDL_CONTROLLER_BUTTON_BACK:
        return VK_GAMEPAD_VIEW;
    case SDL_CONTROLLER_BUTTON_START:
        return VK_GAMEPAD_MENU;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return VK_GAMEPAD_DPAD_UP;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return VK_GAMEPAD_DPAD_DOWN;
    default:
        return 0;
    }
}

// The steering keys: the pad's up and down, and the stick's.
BOOL Repeats(UINT nKey)
{
    return nKey == VK_GAMEPAD_DPAD_UP || nKey == VK_GAMEPAD_DPAD_DOWN || nKey == VK_GAMEPAD_LEFT_THUMBSTICK_UP ||
           nKey == VK_GAMEPAD_LEFT_THUMBSTICK_DOWN;
}

UINT StickKey(int nHeld)
{
    return nHeld < 0 ? VK_GAMEPAD_LEFT_THUMBSTICK_UP : VK_GAMEPAD_LEFT_THUMBSTICK_DOWN;
}

// SDL tells the family from the vendor and product ids. Pads of no family it
// knows (and the makers that copy Xbox's labels) print A and B as Xbox does.
EPadFamily FamilyOf(SDL_GameController* pController)
{
    switch (SDL_GameControllerGetType(pController)) {
    case SDL_CONTROLLER_TYPE_PS3:
    case SDL_CONTROLLER_TYPE_PS4:
    case SDL_CONTROLLER_TYPE_PS5:
        return EPadFamily::kPlayStation;
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_PRO:
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_JOYCON_LEFT:
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_JOYCON_RIGHT:
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_JOYCON_PAIR:
        return EPadFamily::kNintendo;
    default:
        return EPadFamily::kXbox;
    }
}

} // namespace

CGamepadSource& CGamepadSource::Get()
{
    static CGamepadSource source;
    return source;
}

void CGamepadSource::Start()
{
    m_bAsked = TRUE;
    // Button names by place for every family; the labels are the program's
    // to draw. Over an environment variable too: the program's rule, not a setting.
    SDL_SetHintWithPriority(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0", SDL_HINT_OVERRIDE);
    // Controllers present now arrive as SDL_CONTROLLERDEVICEADDED events.
    if (!m_bStarted && SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0)
        m_bStarted = TRUE;
}

void CGamepadSource::Stop()
{
    for (SPad& pad : m_pads)
        SDL_GameControllerClose(pad.pController);
    m_pads.clear();
    m_nLast = -1;
    m_inCharge = EPadFamily::kNone;
    if (m_bStarted)
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    m_bStarted = m_bAsked = FALSE;
}

void CGamepadSource::Read(BOOL bTakesInput)
{
    SDL_Event event;
    // The joysticks' events too: SDL sends them beside the controllers' own, and they must not pile up.
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_JOYAXISMOTION, SDL_FINGERDOWN - 1) > 0)
        OnEvent(event, bTakesInput);
}

void CGamepadSource::OnEvent(const SDL_Event& event, BOOL bTakesInput)
{
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
        Open(event.cdevice.which);
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        Close(event.cdevice.which);
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        OnButton(event.cbutton, bTakesInput);
        break;
    case SDL_CONTROLLERAXISMOTION:
        OnAxis(event.caxis, bTakesInput);
        break;
    default:
        break;
    }
}

void CGamepadSource::Open(int nDeviceIndex)
{
    SDL_GameController* pController = SDL_GameControllerOpen(nDeviceIndex);
    if (!pController)
        return;
    const SDL_JoystickID nID = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pController));
    // SDL counts opens of one device: a second one is given back at once.
    if (Find(nID)) {
        SDL_GameControllerClose(pController);
        return;
    }
    m_pads.push_back(SPad{pController, nID, CStickKeys(), FamilyOf(pController)});
}

void CGamepadSource::Close(SDL_JoystickID nID)
{
    SPad* pPad = Find(nID);
    if (!pPad)
        return;
    SDL_GameControllerClose(pPad->pController);
    m_pads.erase(m_pads.begin() + (pPad - m_pads.data()));
    if (m_nLast == nID) {
        m_nLast = -1;
        TakeCharge(nullptr);
    }
    AFX_INPUT input;
    input.type = EInput::kPadRemoved;
    input.nSource = AFX_PAD_SOURCE + nID;
    AfxPostInput(input);
}

CGamepadSource::SPad* CGamepadSource::Find(SDL_JoystickID nID)
{
    auto it = std::find_if(m_pads.begin(), m_pads.end(), [nID](const SPad& pad) { return pad.nID == nID; });
    return it == m_pads.end() ? nullptr : &*it;
}

void CGamepadSource::OnButton(const SDL_ControllerButtonEvent& event, BOOL bTakesInput)
{
    const UINT nKey = PadKey(event.button);
    const SPad* pPad = Find(event.which);
    if (!nKey || !pPad)
        return;
    if (event.type == SDL_CONTROLLERBUTTONUP) {
        PostKey(event.which, nKey, FALSE);
        return;
    }
    if (!bTakesInput)
        return;
    m_nLast = event.which;
    TakeCharge(pPad);
    PostKey(event.which, nKey, TRUE);
}

void CGamepadSource::OnAxis(const SDL_ControllerAxisEvent& event, BOOL bTakesInput)
{
    SPad* pPad = Find(event.which);
    if (!pPad || event.axis != SDL_CONTROLLER_AXIS_LEFTY)
        return;
    // The stick's state follows the axis with or without the focus, so that
    // it never holds a direction it has left meanwhile.
    const int nWas = pPad->stick.GetHeld();
    const int nHeld = pPad->stick.Update(event.value);
    if (nHeld == nWas)
        return;
    if (nWas != 0)
        PostKey(event.which, StickKey(nWas), FALSE);
    if (nHeld == 0 || !bTakesInput)
        return;
    m_nLast = event.which;
    TakeCharge(pPad);
    PostKey(event.which, StickKey(nHeld), TRUE);
}

void CGamepadSource::PostKey(SDL_JoystickID nID, UINT nKey, BOOL bDown)
{
    AFX_INPUT input;
    input.type = bDown ? EInput::kKeyDown : EInput::kKeyUp;
    input.nVirtKey = nKey;
    input.nKeyCode = nKey;
    input.nSource = AFX_PAD_SOURCE + nID;
    if (bDown && Repeats(nKey)) {
        input.nRepeatDelay = kRepeatDelayMs;
        input.nRepeatPeriod = kRepeatPeriodMs;
    }
    AfxPostInput(input);
}

BOOL CGamepadSource::Rumble(UINT nMilliseconds)
{
    SPad* pPad = Find(m_nLast);
    return pPad && SDL_GameControllerRumble(pPad->pController, kRumbleLow, kRumbleHigh, nMilliseconds) == 0;
}

void CGamepadSource::OnOtherInput()
{
    TakeCharge(nullptr);
}

void CGamepadSource::TakeCharge(const SPad* pPad)
{
    const EPadFamily family = pPad ? pPad->family : EPadFamily::kNone;
    if (family == m_inCharge)
        return;
    m_inCharge = family;
    AFX_INPUT input;
    input.type = EInput::kPadCharge;
    AfxPostInput(input);
}
