// CCuePlayer: plays the cue of each moment the game thread reaches, through
// the platform's sound output, unless the player has turned the sound off.
// The choice is kept between runs (CKeptSwitch). The new best's flourish
// waits until the result's cue has ended. Any thread may ask for a cue;
// asking takes a short lock at most. Turning the sound off also silences
// what is playing.
#pragma once

#include "platform/core/Shared.h"
#include "session/CueSink.h"
#include "sound/KeptSwitch.h"

class CCuePlayer : public CCueSink {
public:
    CCuePlayer();

    // Reads the kept choice from strPath (empty: keep it in memory only).
    void Open(const CString& strPath);
    BOOL IsSoundOn() const { return m_soundOn.IsOn(); }
    void SetSoundOn(BOOL bOn);
    void PlayCue(SOUNDCUE nCue) override;

private:
    CKeptSwitch m_soundOn;
    CRelaxed<int> m_nLastResult; // the result cue asked for last; written by the game thread
};
