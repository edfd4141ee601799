// What `quindle --help` prints: the options, the keys and the environment.
// The manual page (res/man/quindle.6) tells the same at more length.
#pragma once

extern const char g_quindleUsage[];
