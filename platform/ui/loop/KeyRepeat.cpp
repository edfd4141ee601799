#include "platform/ui/loop/KeyRepeat.h"

void CKeyRepeat::OnKey(const AFX_INPUT& input, ULONGLONG now)
{
    if (input.type == EInput::kKeyDown && input.nRepeatPeriod > 0) {
        m_bHeld = TRUE;
        m_held = input;
        m_due = now + input.nRepeatDelay;
    } else if (input.type == EInput::kKeyUp && m_bHeld && input.nSource == m_held.nSource &&
               input.nKeyCode == m_held.nKeyCode) {
        m_bHeld = FALSE;
    }
}

void CKeyRepeat::StopSource(int nSource)
{
    if (m_bHeld && m_held.nSource == nSource)
        m_bHeld = FALSE;
}

BOOL CKeyRepeat::Fire(ULONGLONG now, AFX_INPUT* pRepeat)
{
    if (!m_bHeld || now < m_due)
        return FALSE;
    m_due = now + m_held.nRepeatPeriod;
    *pRepeat = m_held;
    pRepeat->bRepeat = TRUE;
    return TRUE;
}
