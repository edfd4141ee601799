// CAboutDlg: the About box (template IDD_ABOUTBOX): the icon, the version
// text and OK. Everything it does is CDialog's.
#pragma once

#include "platform/ui/dialog/Dialog.h"
#include "res/resource.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

    enum { IDD = IDD_ABOUTBOX };

    DECLARE_MESSAGE_MAP()
};
