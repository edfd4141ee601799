// Whether an event is the player using the mouse or the keyboard.
#include "platform/ui/loop/HandsOn.h"

BOOL CHandsOn::IsHandsOn(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_MOUSEMOTION: {
        const SDL_MouseMotionEvent& motion = event.motion;
        const BOOL bMoved = motion.windowID == m_nMotionWindow && (motion.x != m_xMotion || motion.y != m_yMotion);
        m_nMotionWindow = motion.windowID;
        m_xMotion = motion.x;
        m_yMotion = motion.y;
        return bMoved;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEWHEEL:
    case SDL_KEYDOWN:
        return TRUE;
    default:
        return FALSE;
    }
}
