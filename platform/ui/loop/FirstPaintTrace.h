// Start-up timing: with QUINDLE_TRACE_FIRST_PAINT=1 in the environment, the
// first present of any window prints, on stderr, the milliseconds since the
// process started (the kernel's start time, to its 10 ms clock tick).
//
// Left out: any other tracing.
#pragma once

// Called after each present; only the first one of the process counts, and
// it opens the start-up gate (platform/core/StartupGate.h).
void AfxNoteFirstPresent();
// Whether any window of the process has presented a picture yet.
bool AfxHasPresented();
