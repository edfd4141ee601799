// CControlThread: a worker thread whose owner's dialog controls follow its run
// state. Controls listed in m_enableWhileRunning are enabled while a run is in
// Main and disabled otherwise; those in m_enableWhileIdle the other way round.
// The window thread applies the state with UpdateControls (from its timer).
// The layer also owns a list of objects that it destroys with itself.
#pragma once

#include "session/ControlLists.h"
#include "session/WorkerThread.h"

class CControlThread : public CWorkerThread {
public:
    CControlThread();
    ~CControlThread() override;

    void Main() override;
    // Enables or disables the listed controls of the owner for the run state of now.
    virtual void UpdateControls();

    // Empties both control-ID lists.
    void InitControlState();

protected:
    COwnedObjectList m_ownedObjects;    // window thread only
    CControlIdList m_enableWhileRunning; // window thread only
    CControlIdList m_enableWhileIdle;    // window thread only

private:
    void EnableListed(CControlIdList& list, BOOL bEnable);
};
