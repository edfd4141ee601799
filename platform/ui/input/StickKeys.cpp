#include "platform/ui/input/StickKeys.h"

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
