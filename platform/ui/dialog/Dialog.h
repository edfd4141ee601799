// CDialog: a modal dialog made from a template (DlgTemplate.h). DoModal
// creates the dialog's own fixed-size window (caption from the template, no
// resizing, no maximising) centred over its owner, creates the controls at
// their pixel rectangles (dialog units of the template's font), calls
// OnInitDialog, shows the window and runs the message loop on the calling
// thread until EndDialog. While it runs, its owner takes no input but goes on
// painting. It returns EndDialog's result, or -1 when there was no window.
//
// The dialog manager's keys: Escape sends IDCANCEL; Enter sends the default
// push button's command when that button is visible and enabled. The close
// button and the system menu's Close item send WM_CLOSE, which sends
// IDCANCEL. OnOK and OnCancel end the dialog with IDOK and IDCANCEL.
// Commands that the dialog's map does not take go on to the application.
//
// Left out: modeless dialogs, data exchange, tab order and keyboard focus
// moving between controls.
#pragma once

#include <memory>
#include <vector>

#include "platform/ui/window/MessageMap.h"

class CUiTopWindow;

typedef intptr_t INT_PTR;

// What dialogs ask of the application above them (CWinApp is it): its main
// window, which owns every dialog without a parent, the commands no window
// took, and the word that the main window could not be made.
class CDialogHost {
public:
    virtual CWnd* GetMainWindow() const = 0;
    virtual BOOL OnHostCommand(UINT nID, int nCode) = 0;
    virtual void OnNoMainWindow() = 0;

protected:
    ~CDialogHost() = default;
};

// The application sets itself as it starts; nullptr (no host) means dialogs
// stand alone, as tests make them.
void AfxSetDialogHost(CDialogHost* pHost);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    virtual BOOL OnInitDialog();
    void EndDialog(int nResult);

    BOOL OnCmdMsg(UINT nID, int nCode) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    virtual void OnOK();
    virtual void OnCancel();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    BOOL CreateFromTemplate();
    CUiTopWindow* OwnerWindow() const;
    void SetInitialFocus();
    void SendCommandIfEnabled(int nID);
    void DestroyDialogWindow(CUiTopWindow* pOwner);

    std::unique_ptr<CUiTopWindow> m_pWindow;
    // Windows of earlier DoModal calls: kept until the dialog goes, as
    // another thread may still hold their handle.
    std::vector<std::unique_ptr<CUiTopWindow>> m_oldWindows;
    BOOL m_bEnded = FALSE;
    int m_nModalResult = -1;

    DECLARE_MESSAGE_MAP()
};
