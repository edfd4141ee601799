#include "game/ObjectList.h"

#include <memory>

CGameObject* CObjectList::AddNew()
{
    CSingleLock lock(&m_cs, TRUE);
    auto pObject = std::make_unique<CObstacle>();
    m_list.AddTail(pObject.get());
    return pObject.release();
}

CGameObject* CObjectList::GetAt(int nIndex)
{
    CSingleLock lock(&m_cs, TRUE);
    if (nIndex < 0 || nIndex >= m_list.GetCount())
        return nullptr;
    return m_list.GetAt(nIndex);
}

int CObjectList::GetCount() const
{
    return m_list.GetCount();
}

void CObjectList::RemoveAll()
{
    CSingleLock lock(&m_cs, TRUE);
    while (m_list.GetCount() > 0) {
        CGameObject* pObject = m_list.RemoveTail();
        delete pObject;
    }
}

BOOL CObjectList::GetRectAt(int nIndex, CRect* pRect)
{
    CSingleLock lock(&m_cs, TRUE);
    if (nIndex < 0 || nIndex >= m_list.GetCount() || !m_list.GetAt(nIndex)) {
        pRect->SetRectEmpty();
        return FALSE;
    }
    *pRect = m_list.GetAt(nIndex)->GetRect();
    return TRUE;
}
