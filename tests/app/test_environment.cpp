#include "tests/app/AppTestSupport.h"

// The display every window test needs, opened once.
static ::testing::Environment* const g_pDisplay = ::testing::AddGlobalTestEnvironment(new CDummyDisplay);
