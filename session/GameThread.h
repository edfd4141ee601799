// CGameThread: plays one game from "Ready" to "Game Over!!" or "Goal!!" on the
// worker thread. It changes the course view and the status text and only asks
// the owner window to repaint; the window thread does all painting.
#pragma once

#include "game/CourseView.h"
#include "session/ControlThread.h"

class CGameThread : public CControlThread {
public:
    CGameThread();
    ~CGameThread() override;

    void Main() override;

    // Set by the dialog before any Start; the view the session plays on (not owned).
    CCourseView* m_pView;

private:
    void PlayFrames();
    void EndWith(const char* pszResult);
    void ShowStatus(const char* pszText);
    void Repaint(BOOL bErase = FALSE);
};
