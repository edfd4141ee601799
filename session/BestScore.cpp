#include "session/BestScore.h"

void CBestScore::Open(const CString& strPath)
{
    CSingleLock lock(&m_cs, TRUE);
    m_file = CStateFile(strPath);
    int nBest = kNone;
    m_nBest = m_file.ReadInt(&nBest) ? nBest : kNone;
}

int CBestScore::Get()
{
    CSingleLock lock(&m_cs, TRUE);
    return m_nBest;
}

BOOL CBestScore::Offer(int nScore)
{
    CSingleLock lock(&m_cs, TRUE);
    if (nScore < 0 || (m_nBest != kNone && nScore <= m_nBest))
        return FALSE;
    m_nBest = nScore;
    m_file.WriteInt(nScore);
    return TRUE;
}
