#include "platform/ui/display/XftDpi.h"

#include <X11/Xlib.h>

#include <array>
#include <string>
#include <vector>

// The resource text is read here rather than by Xlib's resource manager: any
// client of the display may set it, and Xlib keeps every name it parses as a
// quark for the life of the process (and AddressSanitizer reports its quark
// lookup reading past a stored name). Only the one entry is needed.
namespace {

// A resource line's name, as components with the binding before each one.
struct COMPONENT {
    bool bLoose;       // '*' before it (any number of levels), else '.'
    std::string strName;
};

// How well the name matches the query Xft.dpi (class Xft.Dpi) at each of
// its two levels: 3 by name, 2 by class, 1 by '?'; a level skipped by '*' 0.
// Xlib's order: the earlier level decides, and at each level a tight binding
// beats a loose one. Returns false when the name does not match.
using SCORE = std::array<int, 4>;

bool Match(const std::vector<COMPONENT>& name, size_t nAt, int nLevel, SCORE* pScore)
{
    static const char* const kNames[2] = {"Xft", "dpi"};
    static const char* const kClasses[2] = {"Xft", "Dpi"};
    if (nLevel == 2)
        return nAt == name.size();
    if (nAt == name.size())
        return false;
    const COMPONENT& c = name[nAt];
    int nHow = c.strName == kNames[nLevel] ? 3 : c.strName == kClasses[nLevel] ? 2 : c.strName == "?" ? 1 : 0;
    SCORE best{};
    bool bFound = false;
    if (nHow > 0) {
        SCORE s = *pScore;
        s[size_t(nLevel) * 2] = nHow;
        s[size_t(nLevel) * 2 + 1] = c.bLoose ? 0 : 1;
        if (Match(name, nAt + 1, nLevel + 1, &s)) {
            best = s;
            bFound = true;
        }
    }
    // A loose binding may also stand for this level: the component is then
    // matched against the next one.
    if (c.bLoose) {
        SCORE s = *pScore;
        s[size_t(nLevel) * 2] = 0;
        if (Match(name, nAt, nLevel + 1, &s) && (!bFound || s > best)) {
            best = s;
            bFound = true;
        }
    }
    if (bFound)
        *pScore = best;
    return bFound;
}

std::vector<COMPONENT> SplitName(const std::string& text)
{
    std::vector<COMPONENT> name;
    bool bLoose = false;
    std::string part;
    for (const char ch : text) {
        if (ch == '.' || ch == '*') {
            if (!part.empty()) {
                name.push_back({bLoose, part});
                part.clear();
                bLoose = false;
            }
            bLoose = bLoose || ch == '*';
        } else {
            part += ch;
        }
    }
    if (!part.empty())
        name.push_back({bLoose, part});
    return name;
}

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::string AfxXftDpiFromResources(const char* pszResources)
{
    if (!pszResources)
        return std::string();
    std::string dpi;
    SCORE best{};
    bool bFound = false;
    for (const char* p = pszResources; *p;) {
        const char* pEnd = p;
        while (*pEnd && *pEnd != '\n')
            ++pEnd;
        const std::string line(p, pEnd);
        p = *pEnd ? pEnd + 1 : pEnd;
        const size_t colon = line.find(':');
        const std::string strName = Trim(line.substr(0, colon));
        if (colon == std::string::npos || strName.empty() || strName[0] == '!' || strName[0] == '#')
            continue;
        SCORE score{};
        // A later line of the same standing wins, as when xrdb merges.
        if (Match(SplitName(strName), 0, 0, &score) && (!bFound || score >= best)) {
            best = score;
            bFound = true;
            dpi = Trim(line.substr(colon + 1));
        }
    }
    return dpi;
}

std::string AfxReadXftDpi(Display* pDisplay)
{
    return pDisplay ? AfxXftDpiFromResources(XResourceManagerString(pDisplay)) : std::string();
}
