// How a message quotes a value that came from outside (an argument, a
// variable, a resource): at most a short run of characters, so that a
// 100,000-character value still gives one short line, and with the control
// characters that could break the line or steer a terminal shown as '?'.
#pragma once

#include <cstddef>
#include <string>

// Quoted values are cut after this many characters, then "..." follows.
constexpr size_t kMaxQuotedChars = 40;

// pszText as a message shows it: control characters (C0, DEL and C1) as '?',
// cut after nMaxChars characters (UTF-8 sequences are never split) with
// "..." after the cut. Bytes that are not UTF-8 count as one character each.
std::string AfxQuoteText(const char* pszText, size_t nMaxChars = kMaxQuotedChars);
