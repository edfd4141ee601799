// CString: a text value over std::string, in UTF-8 (Linux's narrow encoding).
// LoadString reads the program's string table (Resources.h); a missing entry
// gives an empty text, as the framework's does.
#pragma once

#include <string>

#include "platform/core/Types.h"

class CString {
public:
    CString() = default;
    CString(const char* psz) : m_str(psz ? psz : "") {}
    CString(std::string s) : m_str(std::move(s)) {}

    operator const char*() const { return m_str.c_str(); }
    const std::string& Str() const { return m_str; }
    int GetLength() const { return int(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }

    // Loads string resource nID; FALSE and an empty text when there is none.
    BOOL LoadString(UINT nID);

    CString& operator+=(const CString& o)
    {
        m_str += o.m_str;
        return *this;
    }
    friend CString operator+(CString a, const CString& b) { return a += b; }
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator==(const CString& a, const char* b) { return a.m_str == (b ? b : ""); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }

private:
    std::string m_str;
};
