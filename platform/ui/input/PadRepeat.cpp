#include "platform/ui/input/PadRepeat.h"

void CPadRepeat::Press(UINT nKey, int nPad, ULONGLONG now)
{
    m_nKey = nKey;
    m_nPad = nPad;
    m_due = now + kDelayMs;
}

void CPadRepeat::Release(UINT nKey, int nPad)
{
    if (nKey == m_nKey && nPad == m_nPad)
        Clear();
}

void CPadRepeat::ReleasePad(int nPad)
{
    if (nPad == m_nPad)
        Clear();
}

void CPadRepeat::Clear()
{
    m_nKey = 0;
    m_nPad = -1;
    m_due = kNever;
}

ULONGLONG CPadRepeat::NextDue() const
{
    return m_due;
}

UINT CPadRepeat::Fire(ULONGLONG now)
{
    if (m_nKey == 0 || now < m_due)
        return 0;
    // A late loop repeats once, not once for every interval it missed.
    m_due = now + kIntervalMs;
    return m_nKey;
}

int CStickKeys::Update(int nValue)
{
    if (nValue <= -kPress)
        m_nHeld = -1;
    else if (nValue >= kPress)
        m_nHeld = 1;
    else if ((m_nHeld < 0 && nValue > -kRelease) || (m_nHeld > 0 && nValue < kRelease))
        m_nHeld = 0;
    // Between a quarter and half of its travel the stick keeps what it held.
    return m_nHeld;
}
