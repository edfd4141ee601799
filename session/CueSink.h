// CCueSink: where the game thread asks for the sound of a run's moments. The
// thread that reaches a moment asks at once; a sink must return quickly
// (a short lock at most) and may play nothing.
#pragma once

enum SOUNDCUE {
    CUE_READY,     // the run begins: "Ready"
    CUE_GO,        // "Go!!"
    CUE_GAME_OVER, // the player was hit
    CUE_GOAL,      // no obstacle left in the area
    CUE_NEW_BEST,  // after the result, when the run set a new best
    CUE_COUNT
};

class CCueSink {
public:
    virtual ~CCueSink() = default;
    virtual void PlayCue(SOUNDCUE nCue) = 0;
};
