// Inside platform/audio: libasound prints its own errors on stderr, eight
// lines when there is no sound card, before SDL tells us why it has no
// device; the one line that says so is the service's own. AfxQuietAlsa sets
// a silent error handler in libasound, if it is installed (SDL loads it the
// same way, by its soname); it is cheap to call again.
#pragma once

void AfxQuietAlsa();
