// CQuindleDlg: the main window. It owns the game field (m_view) and the game
// thread (m_thread), takes its whole screen layout from the hidden controls of
// its template, and its message handlers are the game's user interface.
#pragma once

#include "game/CourseView.h"
#include "platform/core/StateFile.h"
#include "platform/ui/dialog/Dialog.h"
#include "platform/ui/window/IconImage.h"
#include "res/resource.h"
#include "session/GameThread.h"
#include "sound/CuePlayer.h"

class CQuindleDlg : public CDialog {
public:
    explicit CQuindleDlg(CWnd* pParent = NULL);

    enum { IDD = IDD_MAIN };

    HICON m_hIcon;
    CCourseView m_view;   // constructed before m_thread, destroyed after it
    CCuePlayer m_sound;   // the run's cues; destroyed after m_thread, whose worker asks it
    CGameThread m_thread; // runs on m_view; its worker only asks this window to repaint

protected:
    BOOL OnInitDialog() override;

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnStartCommand();
    afx_msg void OnStopCommand();
    afx_msg void OnPaint();
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnInputDeviceChange(unsigned short nState, void* hDevice);

    DECLARE_MESSAGE_MAP()

private:
    void StartGame();
    void StopGame();
    // One step of the player, up or down; none while the game is paused.
    void Steer(BOOL bUp);
    // The menu's focus, moved or used by the keys or a controller.
    void MoveMenuFocus(int nStep);
    void ActivateMenuFocus();
    // The window's size (QuindleSize.cpp): the system-menu items, the zoom
    // kept from the last run, the commands and the keys for them.
    void AppendSizeItems(CMenu* pSysMenu);
    void RestoreZoom();
    BOOL OnSizeCommand(UINT nID);
    BOOL OnSizeKey(UINT nChar, BOOL bRepeat);

    CStateFile m_zoomFile;
    // Turns the sound on or off, with the system menu's check mark.
    void ToggleSound();
    void ShowSoundCheck();
};

// The rectangle of dialog control nID in pDlg's client coordinates; empty
// when pDlg has no such control.
CRect GetControlRect(CWnd* pDlg, int nID);
