// Inside platform/ui: native windows on SDL's video (X11, SDL's dummy driver).
#pragma once

#include <memory>

#include "platform/ui/display/NativeWindow.h"

class CDisplaySystem;

// A hidden SDL window of cx x cy, bound to pSystem's connection; nullptr when SDL cannot make one.
std::unique_ptr<CNativeWindow> AfxCreateSdlWindow(CDisplaySystem* pSystem, const char* pszTitle, int cx, int cy,
                                                  BOOL bInTaskbar);
