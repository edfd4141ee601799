#include "session/ControlThread.h"

CControlThread::CControlThread()
{
    InitControlState();
}

CControlThread::~CControlThread()
{
    AbandonAndWait();
    m_ownedObjects.RemoveAll();
    m_enableWhileRunning.RemoveAll();
    m_enableWhileIdle.RemoveAll();
}

void CControlThread::Main() {}

void CControlThread::InitControlState()
{
    m_enableWhileRunning.RemoveAll();
    m_enableWhileIdle.RemoveAll();
}

void CControlThread::UpdateControls()
{
    const int nRunState = m_nRunState;
    EnableListed(m_enableWhileRunning, nRunState == 1);
    EnableListed(m_enableWhileIdle, nRunState == 0);
}

// An empty list asks the owner nothing; an ID without a control is skipped.
void CControlThread::EnableListed(CControlIdList& list, BOOL bEnable)
{
    for (int i = 0; i < list.GetCount(); ++i) {
        const int* pID = list.GetAt(i);
        CWnd* pOwner = pID ? GetOwner() : nullptr;
        CWnd* pControl = pOwner ? pOwner->GetDlgItem(*pID) : nullptr;
        if (pControl)
            pControl->EnableWindow(bEnable);
    }
}
