// CWnd's and CCmdTarget's message handling: the message-map lookup, default
// processing and SendMessage.
#include "platform/ui/window/MessageMap.h"
#include "platform/ui/window/UiWindow.h"

namespace {

BOOL EntryTakes(const AFX_MSGMAP_ENTRY& entry, UINT message, WPARAM wParam)
{
    if (entry.nMessage != message)
        return FALSE;
    if (message != WM_COMMAND)
        return TRUE;
    const UINT nID = LOWORD(wParam);
    return entry.nCode == HIWORD(wParam) && entry.nID <= nID && nID <= entry.nLastID;
}

} // namespace

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT message, WPARAM wParam)
{
    for (; pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->pfn; ++pEntry) {
            if (EntryTakes(*pEntry, message, wParam))
                return pEntry;
        }
    }
    return nullptr;
}

CWnd* AfxWndFromHandle(HWND hWnd)
{
    CUiWindow* pWindow = AfxUiWindow(hWnd);
    return pWindow ? pWindow->m_pWnd : nullptr;
}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode)
{
    const WPARAM wParam = MAKEWPARAM(WORD(nID), WORD(nCode));
    const AFX_MSGMAP_ENTRY* pEntry = AfxFindMessageEntry(GetMessageMap(), WM_COMMAND, wParam);
    if (!pEntry)
        return FALSE;
    pEntry->pfn(this, wParam, 0);
    return TRUE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return WindowProc(message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Handlers may send messages of their own: Default() must still see this one.
    const MSG saved = m_msgCur;
    m_msgCur = MSG{m_hWnd, message, wParam, lParam};
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    m_msgCur = saved;
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    *pResult = 0;
    if (message == WM_COMMAND)
        return OnCommand(wParam, lParam);
    const AFX_MSGMAP_ENTRY* pEntry = AfxFindMessageEntry(GetMessageMap(), message, wParam);
    if (!pEntry)
        return FALSE;
    *pResult = pEntry->pfn(this, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM)
{
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CUiWindow* pWindow = AfxUiWindow(m_hWnd);
    return pWindow ? pWindow->DefaultProc(this, message, wParam, lParam) : 0;
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_msgCur.message, m_msgCur.wParam, m_msgCur.lParam);
}
