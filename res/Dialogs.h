// The program's dialog templates: the main window (IDD_MAIN) and the About
// box (IDD_ABOUTBOX). All resources are in language 0x0411 (Japanese).
#pragma once

#include "platform/ui/window/DlgTemplate.h"

extern const DLGTEMPLATEDATA g_quindleDialogs[];
extern const int g_quindleDialogCount;
