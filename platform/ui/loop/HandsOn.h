// Inside platform/ui: whether an SDL event is the player's hand on the mouse
// or the keys, which takes the lead from a controller. A window opening or
// closing under a still pointer makes a motion of its own; only a move within
// the same window counts.
#pragma once

#include <SDL.h>

#include "platform/core/Types.h"

class CHandsOn {
public:
    // Window thread only.
    BOOL IsHandsOn(const SDL_Event& event);

private:
    Uint32 m_nMotionWindow = 0; // where the pointer moved last, and to where
    Sint32 m_xMotion = 0;
    Sint32 m_yMotion = 0;
};
