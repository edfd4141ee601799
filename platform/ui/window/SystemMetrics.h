// System metrics: the sizes the window system draws with. No SDL here.
// Left out: every metric but the icon sizes (0 for any other index).
#pragma once

#include "platform/ui/window/WinUser.h"

int GetSystemMetrics(int nIndex);
