#include "platform/ui/loop/FirstPaintTrace.h"

#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/core/StartupGate.h"

namespace {

constexpr const char* kFirstPaintTraceVariable = "QUINDLE_TRACE_FIRST_PAINT";
// The process's start time is field 22 of /proc/self/stat, in clock ticks since boot.
constexpr int kStartTimeField = 22;

// Milliseconds since boot at which this process started; -1 if unknown.
long long ProcessStartMs()
{
    std::ifstream stat("/proc/self/stat");
    std::string line;
    if (!std::getline(stat, line))
        return -1;
    // Fields after the command name, which is in parentheses and may hold blanks.
    const size_t close = line.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(line.substr(close + 2));
    std::string field;
    for (int n = 3; n <= kStartTimeField && fields >> field; ++n) {
        if (n == kStartTimeField)
            return std::atoll(field.c_str()) * 1000 / sysconf(_SC_CLK_TCK);
    }
    return -1;
}

long long BootTimeMs()
{
    timespec ts{};
    clock_gettime(CLOCK_BOOTTIME, &ts);
    return (long long)ts.tv_sec * 1000 + ts.tv_nsec / 1000000;
}

bool g_bPresented = false;

} // namespace

bool AfxHasPresented()
{
    return g_bPresented;
}

void AfxNoteFirstPresent()
{
    bool& s_bDone = g_bPresented;
    if (s_bDone)
        return;
    s_bDone = true;
    AfxGetStartupGate().Open();
    const char* pszTrace = std::getenv(kFirstPaintTraceVariable);
    if (!pszTrace || std::strcmp(pszTrace, "1") != 0)
        return;
    const long long start = ProcessStartMs();
    if (start >= 0)
        std::fprintf(stderr, "%s: first paint %lld ms after start\n", program_invocation_short_name,
                     BootTimeMs() - start);
}
