#include "session/BestScore.h"

void CBestScore::Open(const CString& strPath)
{
    CSingleLock fileLock(&m_csFile, TRUE);
    m_file = CStateFile(strPath);
    int nBest = kNone;
    const BOOL bRead = m_file.ReadInt(&nBest);
    CSingleLock lock(&m_cs, TRUE);
    m_nBest = bRead ? nBest : kNone;
    m_bUnsaved = FALSE;
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
    m_bUnsaved = TRUE;
    return TRUE;
}

void CBestScore::Flush()
{
    // The file lock first: two flushes write in turn, the later one the latest best.
    CSingleLock fileLock(&m_csFile, TRUE);
    int nBest = kNone;
    {
        CSingleLock lock(&m_cs, TRUE);
        if (!m_bUnsaved)
            return;
        m_bUnsaved = FALSE;
        nBest = m_nBest;
    }
    int nKept = nBest;
    const BOOL bKept = m_file.WriteIntIfGreater(nBest, &nKept);
    CSingleLock lock(&m_cs, TRUE);
    if (nKept > m_nBest)
        m_nBest = nKept;
    if (!bKept && !m_file.GetPath().IsEmpty())
        m_bUnsaved = TRUE;
}
