// Wheel latency: with QUINDLE_TRACE_WHEEL=1 in the environment, every wheel
// event that a window turned into messages prints one line on stderr when the
// first present of that window after it ends, that is when its effect is on
// the screen (or the first paint that found nothing to change, when it has none):
//   quindle: wheel 1 ms after the event (0.412 ms after handling)
// The first figure runs from the event's SDL timestamp (SDL's millisecond
// clock, stamped when SDL took the event from the window system) and has that
// clock's whole-millisecond resolution; the second runs from the moment the
// window handled the event, on the high-resolution counter.
// Unset, each call costs one test of a flag read once.
//
// Window thread only. Left out: other input, and presents of other windows.
#pragma once

#include <cstdint>

// A wheel event with SDL timestamp nTimestamp became messages for window nWindowID.
void AfxNoteWheelEvent(uint32_t nTimestamp, uint32_t nWindowID);
// Window nWindowID has just presented: its pending wheel events are shown.
void AfxNoteWheelPresent(uint32_t nWindowID);
