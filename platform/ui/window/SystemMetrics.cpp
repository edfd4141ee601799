#include "platform/ui/window/SystemMetrics.h"

namespace {
constexpr int kIconSize = 32;
constexpr int kSmallIconSize = 16;
} // namespace

int GetSystemMetrics(int nIndex)
{
    switch (nIndex) {
    case SM_CXICON:
    case SM_CYICON:
        return kIconSize;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return kSmallIconSize;
    default:
        return 0;
    }
}
