// CQuindleApp: the application object. Its InitInstance runs the main dialog
// modally, destroys it and returns FALSE, so the process ends without a
// message loop of the framework's own.
#pragma once

#include "platform/ui/frame/WinApp.h"

class CQuindleApp : public CWinApp {
public:
    CQuindleApp();

    BOOL InitInstance() override;
    void AddStartupFonts(std::vector<POINTFONT>* pFonts) const override;

    DECLARE_MESSAGE_MAP()
};
