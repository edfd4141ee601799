// Sound output through SDL's audio, so that PipeWire, PulseAudio and ALSA all
// work. The device is opened when a sound is asked for and closed once
// nothing has played for about a second (AfxSetAudioCloseDelay): while all is
// quiet, no audio thread runs and audio causes no wake-ups. Opening and
// closing happen on threads of the service's own, so a caller only ever
// takes a short lock, and a sound asked for while a device is still closing
// (a sound server may take a second for that) opens another at once. The
// device's callback never waits on a lock at all.
//
// No sound at all is never an error: with no driver, no device or no server,
// or when the device goes away while it plays, the sounds are dropped and one
// line on stderr says why, the first time only; the next sound tries again.
// The device plays 48 kHz stereo float in buffers of 512 frames (10.7 ms).
//
// With QUINDLE_TRACE_AUDIO=1 every sound's wait from AfxPlaySound to the
// buffer that begins it is printed on stderr.
//
// Left out: choosing a device, recording, volume.
#pragma once

#include "platform/audio/AudioMixer.h"

// Any thread: plays sound (its samples must outlive it) after nDelayMs.
// FALSE when it was refused (malformed, or too many waiting), not when no
// device turns out to be there.
BOOL AfxPlaySound(const PCMSOUND& sound, DWORD nDelayMs = 0);
// Any thread: stops every sound, waiting or playing, with a short fade.
void AfxStopSounds();
// Closes the device and waits for the service's threads to end, but never
// for longer than half a second (a hung sound server): the program may exit.
// Sounds asked for later open the device again.
void AfxAudioTerm();

// What tests and measurements read.
struct AUDIOSTATE {
    BOOL bThreadRunning; // a thread of the service is there (a device open, opening or closing)
    BOOL bDriverUp;      // SDL's audio (and with it a sound server's connection) is started
    int nOpens;          // devices opened so far
    int nFailures;       // opens that failed and devices that went away
    unsigned nStarts;    // device buffers that began a sound
    long long nLastStartDelayUs;
};
AUDIOSTATE AfxGetAudioState();
// How long the device stays open after the last sound has ended (1000 ms).
void AfxSetAudioCloseDelay(DWORD nMs);
