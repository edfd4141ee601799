// Whether an input is the player using the mouse or the keyboard.
#include "platform/ui/loop/HandsOn.h"

BOOL CHandsOn::IsHandsOn(const AFX_INPUT& input)
{
    switch (input.type) {
    case EInput::kMouseMove: {
        const BOOL bMoved = input.nWindowID == m_nMotionWindow && (input.x != m_xMotion || input.y != m_yMotion);
        m_nMotionWindow = input.nWindowID;
        m_xMotion = input.x;
        m_yMotion = input.y;
        return bMoved;
    }
    case EInput::kButtonDown:
    case EInput::kWheel:
        return TRUE;
    case EInput::kKeyDown:
        return input.nSource == AFX_KEYBOARD;
    default:
        return FALSE;
    }
}
