#include "platform/gdi/GdiObject.h"

#include "platform/gdi/GdiData.h"

CGdiObject::~CGdiObject()
{
    if (!m_hObject || DeleteObject())
        return;
    // Still selected somewhere: the DC frees it when it lets it go.
    m_hObject->pWrapper = nullptr;
    m_hObject->bOrphaned = true;
    m_hObject = nullptr;
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!hObject || m_hObject)
        return FALSE;
    m_hObject = hObject;
    hObject->pWrapper = this;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    if (h && h->pWrapper == this)
        h->pWrapper = nullptr;
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    return ::DeleteObject(m_hObject);
}

BOOL DeleteObject(HGDIOBJ hObject)
{
    if (!hObject || hObject->nSelections > 0)
        return FALSE;
    if (hObject->bStock)
        return TRUE;
    if (hObject->pWrapper)
        hObject->pWrapper->m_hObject = nullptr;
    delete hObject;
    return TRUE;
}
