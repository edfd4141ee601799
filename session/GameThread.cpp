#include "session/GameThread.h"

namespace {
constexpr int kObstacleCount = 300;
constexpr DWORD kReadyMs = 2000;
constexpr DWORD kGoMs = 500;
constexpr DWORD kFrameMs = 200;
constexpr DWORD kResultMs = 2000;

const char kReadyText[] = "Ready";
const char kGoText[] = "Go!!";
const char kRunningText[] = "";
const char kGameOverText[] = "Game Over!!";
const char kGoalText[] = "Goal!!";
const char kPausedText[] = "Paused";
} // namespace

CGameThread::CGameThread()
    : m_pView(nullptr), m_pCues(nullptr), m_bScoreKept(FALSE), m_nGameOvers(0), m_nGameOversTaken(0)
{
}

CGameThread::~CGameThread()
{
    // Main uses the view and this object's lists: no run may outlive them.
    AbandonAndWait();
    // A score the run could not write any more (it never started, say).
    m_best.Flush();
}

void CGameThread::Main()
{
    try {
        Play();
    } catch (...) {
        // A stopped run's score was taken by the window thread; the run
        // writes it as it ends, so that thread does not wait on the disk.
        m_best.Flush();
        ShowBest();
        throw;
    }
}

void CGameThread::Play()
{
    CCourseView* pView = m_pView;
    if (!pView)
        return;
    // A Start or Stop click from here on owns the in-game flag: this run's end
    // must not undo it (a new run may already be playing).
    const uint32_t nFlagVersion = pView->m_bInGame.GetVersion();
    {
        CSingleLock lock(&m_csScore, TRUE);
        m_bScoreKept = FALSE;
    }
    pView->m_nPassed = 0;
    SetPausable(TRUE);

    pView->ResetPlayer();
    ThrowIfAbandoned();
    pView->SpawnObstacles(kObstacleCount);
    ShowStatus(kReadyText);
    Cue(CUE_READY);
    Sleep(kReadyMs);
    ShowStatus(kGoText);
    Cue(CUE_GO);
    Sleep(kGoMs);
    ShowStatus(kRunningText);

    PlayFrames();

    Repaint();
    // After the result is on its way to the screen: the disk takes a moment.
    const BOOL bBetter = KeepScore();
    m_best.Flush();
    ShowBest();
    // A first best of 0 is no feat to celebrate, nor one that another copy
    // of the program had beaten meanwhile.
    if (bBetter && pView->m_nPassed > 0 && m_best.Get() == pView->m_nPassed)
        Cue(CUE_NEW_BEST);
    Sleep(kResultMs);
    if (!IsAbandoned())
        pView->m_bInGame.StoreIfUnchanged(0, nFlagVersion);
    // Back on the menu: erase, or the Stop button below the area would stay on screen.
    Repaint(TRUE);
}

// One pass per frame until the player is hit or no obstacle is left in the
// area. A stop takes effect only at the end of a pass.
void CGameThread::PlayFrames()
{
    for (;;) {
        ThrowIfAbandoned();
        m_pView->AdvanceObstacles();
        m_pView->m_nPassed = m_pView->CountObstaclesPassed();
        if (m_pView->IsPlayerHit()) {
            m_nGameOvers += 1;
            EndWith(kGameOverText, CUE_GAME_OVER);
            return;
        }
        if (m_pView->CountObstaclesInArea() == 0) {
            EndWith(kGoalText, CUE_GOAL);
            return;
        }
        Repaint();
        Sleep(kFrameMs);
        Checkpoint();
    }
}

// The run is over: no checkpoint follows, so the result phase still runs in full.
void CGameThread::EndWith(const char* pszResult, SOUNDCUE nCue)
{
    SetPausable(FALSE);
    Stop();
    SetStatusText(CString(pszResult));
    Cue(nCue);
}

void CGameThread::Cue(SOUNDCUE nCue)
{
    if (m_pCues && !IsAbandoned())
        m_pCues->PlayCue(nCue);
}

void CGameThread::ShowStatus(const char* pszText)
{
    SetStatusText(CString(pszText));
    Repaint();
}

void CGameThread::Repaint(BOOL bErase)
{
    CWnd* pOwner = GetOwner();
    if (pOwner && !IsAbandoned())
        ::InvalidateRect(pOwner->m_hWnd, NULL, bErase);
}

void CGameThread::OnPause()
{
    m_strBeforePause = GetStatusText();
    ShowStatus(kPausedText);
}

void CGameThread::OnPauseEnd()
{
    SetStatusText(m_strBeforePause);
    Repaint();
}

int CGameThread::PauseGame()
{
    if (!m_pView || m_pView->m_bInGame == 0)
        return 0;
    return Pause();
}

int CGameThread::TogglePause()
{
    if (Resume())
        return 0;
    return PauseGame();
}

BOOL CGameThread::KeepScore()
{
    CCourseView* pView = m_pView;
    if (!pView || pView->m_nPassed < 0)
        return FALSE;
    {
        CSingleLock lock(&m_csScore, TRUE);
        if (m_bScoreKept)
            return FALSE;
        m_bScoreKept = TRUE;
    }
    const BOOL bBest = m_best.Offer(pView->m_nPassed);
    pView->m_nBest = m_best.Get();
    return bBest;
}

// The best may have grown on disk, kept by another copy of the program.
void CGameThread::ShowBest()
{
    if (!m_pView || IsAbandoned())
        return;
    const int nBest = m_best.Get();
    if (m_pView->m_nBest != nBest) {
        m_pView->m_nBest = nBest;
        Repaint();
    }
}

void CGameThread::OpenBest(const CString& strPath)
{
    m_best.Open(strPath);
    if (m_pView)
        m_pView->m_nBest = m_best.Get();
}

BOOL CGameThread::TakeGameOver()
{
    const int nGameOvers = m_nGameOvers;
    if (nGameOvers == m_nGameOversTaken)
        return FALSE;
    m_nGameOversTaken = nGameOvers;
    return TRUE;
}
