// The program's icon, IDR_MAINFRAME: the red player square among grey
// obstacles on black, as a 32 x 32 and a 16 x 16 image of 16 colours.
#pragma once

#include "platform/ui/window/IconImage.h"

extern const ICONGROUPDATA g_quindleIcons[];
extern const int g_quindleIconCount;
