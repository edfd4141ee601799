// Random numbers are the C runtime's: rand (0 ... RAND_MAX), srand and time.
#pragma once

#include <cstdlib>
#include <ctime>
