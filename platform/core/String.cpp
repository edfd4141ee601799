#include "platform/core/String.h"

#include <atomic>

#include "platform/core/Resources.h"
#include "platform/core/StringTable.h"

namespace {

struct StringTable {
    const AFX_STRING_ENTRY* pEntries;
    int nCount;
};

std::atomic<const AFX_STRING_ENTRY*> g_pEntries{nullptr};
std::atomic<int> g_nCount{0};

StringTable CurrentTable()
{
    const AFX_STRING_ENTRY* p = g_pEntries.load();
    if (!p)
    {
        const AFX_RESOURCE_TABLE& program = AfxProgramResources();
        return {program.pStrings, program.nStrings};
    }
    return {p, g_nCount.load()};
}

} // namespace

const char* AfxFindStringResource(UINT nID)
{
    StringTable table = CurrentTable();
    for (int i = 0; i < table.nCount; ++i) {
        if (table.pEntries[i].nID == nID)
            return table.pEntries[i].pszText;
    }
    return nullptr;
}

void AfxSetStringTable(const AFX_STRING_ENTRY* pEntries, int nCount)
{
    g_nCount.store(pEntries ? nCount : 0);
    g_pEntries.store(pEntries);
}

BOOL CString::LoadString(UINT nID)
{
    const char* psz = AfxFindStringResource(nID);
    m_str = psz ? psz : "";
    return psz != nullptr;
}
