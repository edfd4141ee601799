#include "platform/ui/input/GamepadSource.h"

#include <algorithm>

#include "platform/core/Clock.h"
#include "platform/ui/window/WinUser.h"

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

BOOL Repeats(UINT nKey)
{
    return nKey == VK_GAMEPAD_DPAD_UP || nKey == VK_GAMEPAD_DPAD_DOWN;
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
    m_repeat.Clear();
    m_nLast = -1;
    m_inCharge = EPadFamily::kNone;
    if (m_bStarted)
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    m_bStarted = m_bAsked = FALSE;
}

BOOL CGamepadSource::IsPadEvent(Uint32 nType)
{
    return nType >= SDL_CONTROLLERAXISMOTION && nType <= SDL_CONTROLLERDEVICEREMAPPED;
}

void CGamepadSource::OnEvent(const SDL_Event& event, CLoopWindow* pTarget, const std::vector<CLoopWindow*>& windows)
{
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
        Open(event.cdevice.which);
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        Close(event.cdevice.which, windows);
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        OnButton(event.cbutton, pTarget, windows);
        break;
    case SDL_CONTROLLERAXISMOTION:
        OnAxis(event.caxis, pTarget, windows);
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

void CGamepadSource::Close(SDL_JoystickID nID, const std::vector<CLoopWindow*>& windows)
{
    SPad* pPad = Find(nID);
    if (!pPad)
        return;
    SDL_GameControllerClose(pPad->pController);
    m_pads.erase(m_pads.begin() + (pPad - m_pads.data()));
    m_repeat.ReleasePad(nID);
    if (m_nLast == nID) {
        m_nLast = -1;
        TakeCharge(nullptr, windows);
    }
    // A window may go while it handles this: tell a copy of the list.
    const std::vector<CLoopWindow*> told = windows;
    for (CLoopWindow* p : told)
        p->OnPadRemoved();
}

CGamepadSource::SPad* CGamepadSource::Find(SDL_JoystickID nID)
{
    auto it = std::find_if(m_pads.begin(), m_pads.end(), [nID](const SPad& pad) { return pad.nID == nID; });
    return it == m_pads.end() ? nullptr : &*it;
}

void CGamepadSource::OnButton(const SDL_ControllerButtonEvent& event, CLoopWindow* pTarget,
                              const std::vector<CLoopWindow*>& windows)
{
    const UINT nKey = PadKey(event.button);
    const SPad* pPad = Find(event.which);
    if (!nKey || !pPad)
        return;
    if (event.type == SDL_CONTROLLERBUTTONUP) {
        m_repeat.Release(nKey, event.which);
        return;
    }
    if (!pTarget)
        return;
    m_nLast = event.which;
    TakeCharge(pPad, windows);
    if (Repeats(nKey))
        m_repeat.Press(nKey, event.which, AfxGetClock().GetTickCount());
    pTarget->OnPadKey(nKey, FALSE);
}

void CGamepadSource::OnAxis(const SDL_ControllerAxisEvent& event, CLoopWindow* pTarget,
                            const std::vector<CLoopWindow*>& windows)
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
        m_repeat.Release(StickKey(nWas), event.which);
    if (nHeld == 0 || !pTarget)
        return;
    m_nLast = event.which;
    TakeCharge(pPad, windows);
    m_repeat.Press(StickKey(nHeld), event.which, AfxGetClock().GetTickCount());
    pTarget->OnPadKey(StickKey(nHeld), FALSE);
}

BOOL CGamepadSource::FireDue(ULONGLONG now, CLoopWindow* pTarget)
{
    if (m_repeat.GetHeld() == 0)
        return FALSE;
    // The focus gone, a held key stops: it must not steer in the background.
    if (!pTarget) {
        m_repeat.Clear();
        return FALSE;
    }
    const UINT nKey = m_repeat.Fire(now);
    if (!nKey)
        return FALSE;
    pTarget->OnPadKey(nKey, TRUE);
    return TRUE;
}

BOOL CGamepadSource::Rumble(UINT nMilliseconds)
{
    SPad* pPad = Find(m_nLast);
    return pPad && SDL_GameControllerRumble(pPad->pController, kRumbleLow, kRumbleHigh, nMilliseconds) == 0;
}

void CGamepadSource::OnOtherInput(const std::vector<CLoopWindow*>& windows)
{
    TakeCharge(nullptr, windows);
}

void CGamepadSource::TakeCharge(const SPad* pPad, const std::vector<CLoopWindow*>& windows)
{
    const EPadFamily family = pPad ? pPad->family : EPadFamily::kNone;
    if (family == m_inCharge)
        return;
    m_inCharge = family;
    for (CLoopWindow* p : windows)
        p->OnPadChargeChanged();
}
