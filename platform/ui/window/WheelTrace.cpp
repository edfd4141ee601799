#include "platform/ui/window/WheelTrace.h"

#include <SDL.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr const char* kWheelTraceVariable = "QUINDLE_TRACE_WHEEL";

struct WHEELEVENT {
    uint32_t nTimestamp; // SDL's milliseconds
    uint32_t nWindowID;
    uint64_t nHandled;   // SDL's high-resolution counter when the window handled it
};

bool WheelTraceEnabled()
{
    static const bool s_bEnabled = [] {
        const char* pszTrace = std::getenv(kWheelTraceVariable);
        return pszTrace && std::strcmp(pszTrace, "1") == 0;
    }();
    return s_bEnabled;
}

// Events handled and not yet presented; a present takes its window's.
std::vector<WHEELEVENT>& Pending()
{
    static std::vector<WHEELEVENT> s_pending;
    return s_pending;
}

double MillisecondsSince(uint64_t nCounter, uint64_t nNow)
{
    return double(nNow - nCounter) * 1000.0 / double(SDL_GetPerformanceFrequency());
}

} // namespace

void AfxNoteWheelEvent(uint32_t nTimestamp, uint32_t nWindowID)
{
    if (!WheelTraceEnabled())
        return;
    Pending().push_back(WHEELEVENT{nTimestamp, nWindowID, SDL_GetPerformanceCounter()});
}

void AfxNoteWheelPresent(uint32_t nWindowID)
{
    if (!WheelTraceEnabled() || Pending().empty())
        return;
    const uint32_t nNowTicks = SDL_GetTicks();
    const uint64_t nNow = SDL_GetPerformanceCounter();
    std::vector<WHEELEVENT>& pending = Pending();
    auto it = pending.begin();
    while (it != pending.end()) {
        if (it->nWindowID != nWindowID) {
            ++it;
            continue;
        }
        std::fprintf(stderr, "%s: wheel %u ms after the event (%.3f ms after handling)\n",
                     program_invocation_short_name, unsigned(nNowTicks - it->nTimestamp),
                     MillisecondsSince(it->nHandled, nNow));
        it = pending.erase(it);
    }
}
