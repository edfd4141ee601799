#include "platform/core/Quote.h"

namespace {

constexpr char kEllipsis[] = "...";
constexpr int kMaxContinuations = 3;

bool IsContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

} // namespace

std::string AfxQuoteText(const char* pszText, size_t nMaxChars)
{
    std::string quoted;
    if (!pszText)
        return quoted;
    size_t nChars = 0;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(pszText);
    while (*p) {
        if (nChars == nMaxChars) {
            quoted += kEllipsis;
            break;
        }
        ++nChars;
        // C1 controls are two bytes in UTF-8: 0xC2 0x80 .. 0xC2 0x9F.
        const bool bC1 = p[0] == 0xC2 && p[1] >= 0x80 && p[1] <= 0x9F;
        if (p[0] < 0x20 || p[0] == 0x7F || bC1) {
            quoted += '?';
            p += bC1 ? 2 : 1;
            continue;
        }
        const unsigned char lead = *p;
        quoted += char(*p++);
        // A lead byte's continuation bytes come along, at most a sequence's
        // three (any more are characters of their own).
        for (int i = 0; lead >= 0xC0 && i < kMaxContinuations && IsContinuation(*p); ++i)
            quoted += char(*p++);
    }
    return quoted;
}
