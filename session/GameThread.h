// CGameThread: plays one game from "Ready" to "Game Over!!" or "Goal!!" on the
// worker thread. It changes the course view and the status text and only asks
// the owner window to repaint; the window thread does all painting.
//
// A game may pause in its Ready, Go and running phases, never in its result:
// the field stands still, the status text says "Paused", and the phase's time
// goes on where it stood when the game resumes. The run's score (obstacles
// passed) is shown on the view as it grows and kept as the best when the run
// ends by itself or is stopped. Each moment (Ready, Go, the result, and a new
// best after a result) asks the cue sink for its sound; a stopped, paused or
// abandoned run asks for none.
#pragma once

#include "game/CourseView.h"
#include "session/BestScore.h"
#include "session/ControlThread.h"
#include "session/CueSink.h"

class CGameThread : public CControlThread {
public:
    CGameThread();
    ~CGameThread() override;

    void Main() override;
    void OnPause() override;
    void OnPauseEnd() override;

    // Window thread. Pauses a game in progress (a game on the view's game
    // screen); 1 when it is paused now.
    int PauseGame();
    // Pauses a game in progress, or resumes a paused one.
    int TogglePause();
    // Takes the score of the run in progress as the best if it is one; a run
    // keeps its score once. For a run the user stops: the run writes it to
    // disk as it ends. TRUE when it became the best.
    BOOL KeepScore();
    // Reads the best kept at strPath and shows it on the view.
    void OpenBest(const CString& strPath);
    // Window thread: TRUE once for a run that ended in "Game Over!!" since
    // the last call (the window answers it with a controller's rumble).
    BOOL TakeGameOver();

    // Set by the dialog before any Start; the view the session plays on (not owned).
    CCourseView* m_pView;
    // Set by the dialog before any Start; where the moments' sounds go (not owned, may be null).
    CCueSink* m_pCues;
    CBestScore m_best;

private:
    void Play();
    void PlayFrames();
    void EndWith(const char* pszResult, SOUNDCUE nCue);
    void ShowStatus(const char* pszText);
    void ShowBest();
    void Cue(SOUNDCUE nCue);
    void Repaint(BOOL bErase = FALSE);

    CCriticalSection m_csScore;
    BOOL m_bScoreKept;      // guarded by m_csScore: this run's score went to m_best
    CString m_strBeforePause; // worker only: the phase's text while "Paused" shows
    CRelaxed<int> m_nGameOvers; // written by the worker only, read by the window thread
    int m_nGameOversTaken;      // window thread only
};
