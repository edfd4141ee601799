#include "platform/gdi/Dc.h"

#include "platform/gdi/GdiData.h"

CDC::~CDC()
{
    DeleteDC();
}

BOOL CDC::CreateCompatibleDC(CDC*)
{
    if (m_hDC)
        return FALSE;
    m_hDC = new DcData;
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    SelectObject(static_cast<CBitmap*>(nullptr));
    delete m_hDC;
    m_hDC = nullptr;
    return TRUE;
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    if (!m_hDC)
        return nullptr;
    CBitmap* pOld = m_hDC->pBitmap;
    if (pOld && pOld->m_hObject)
        --pOld->m_hObject->nSelections;
    m_hDC->pBitmap = pBitmap;
    m_hDC->pTarget = nullptr;
    if (pBitmap && pBitmap->m_hObject) {
        ++pBitmap->m_hObject->nSelections;
        m_hDC->pTarget = pBitmap->m_hObject->pSurface;
    }
    return pOld;
}
