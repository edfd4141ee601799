#include "platform/ui/display/wayland/WaylandOutputs.h"

#include <wayland-client.h>

#include <algorithm>

namespace {

// Version 2 has the scale and the done event; 3 the release request, 4 the names.
constexpr uint32_t kMinVersion = 2;
#ifdef WL_OUTPUT_NAME_SINCE_VERSION
constexpr uint32_t kMaxVersion = 4;
#else
constexpr uint32_t kMaxVersion = 3;
#endif

} // namespace

CWaylandOutputs::~CWaylandOutputs()
{
    Clear();
}

void CWaylandOutputs::Clear()
{
    for (const OUTPUT& output : m_outputs)
        Release(output.pOutput);
    m_outputs.clear();
}

CWaylandOutputs::OUTPUT* CWaylandOutputs::Find(void* pData, const wl_output* pOutput)
{
    for (OUTPUT& output : static_cast<CWaylandOutputs*>(pData)->m_outputs) {
        if (output.pOutput == pOutput)
            return &output;
    }
    return nullptr;
}

void CWaylandOutputs::Bind(wl_registry* pRegistry, uint32_t nName, uint32_t nVersion)
{
    if (nVersion < kMinVersion)
        return;
    static const wl_output_listener listener = {
        [](void* p, wl_output* pOutput, int32_t, int32_t, int32_t, int32_t, int32_t, const char*, const char*,
           int32_t nTransform) {
            if (OUTPUT* pFound = Find(p, pOutput))
                pFound->bTurned = (nTransform & 1) != 0; // 90 and 270 degrees, flipped or not
        },
        [](void* p, wl_output* pOutput, uint32_t nFlags, int32_t cx, int32_t cy, int32_t) {
            OUTPUT* pFound = Find(p, pOutput);
            if (pFound && (nFlags & WL_OUTPUT_MODE_CURRENT)) {
                pFound->cxMode = cx;
                pFound->cyMode = cy;
            }
        },
        [](void* p, wl_output*) { static_cast<CWaylandOutputs*>(p)->m_onChanged(); },
        [](void* p, wl_output* pOutput, int32_t nFactor) {
            if (OUTPUT* pFound = Find(p, pOutput))
                pFound->nScale = std::max(1, int(nFactor));
        },
#ifdef WL_OUTPUT_NAME_SINCE_VERSION
        [](void*, wl_output*, const char*) {},
        [](void*, wl_output*, const char*) {},
#endif
    };
    auto* pOutput = static_cast<wl_output*>(
        wl_registry_bind(pRegistry, nName, &wl_output_interface, std::min(nVersion, kMaxVersion)));
    wl_output_add_listener(pOutput, &listener, this);
    m_outputs.push_back(OUTPUT{pOutput, nName, 1, 0, 0, FALSE});
}

BOOL CWaylandOutputs::Remove(uint32_t nName)
{
    const auto it = std::find_if(m_outputs.begin(), m_outputs.end(),
                                 [nName](const OUTPUT& output) { return output.nName == nName; });
    if (it == m_outputs.end())
        return FALSE;
    wl_output* pGone = it->pOutput;
    m_outputs.erase(it);
    m_onGone(pGone);
    Release(pGone);
    return TRUE;
}

void CWaylandOutputs::Release(wl_output* pOutput)
{
    if (wl_output_get_version(pOutput) >= WL_OUTPUT_RELEASE_SINCE_VERSION)
        wl_output_release(pOutput);
    else
        wl_output_destroy(pOutput);
}

int CWaylandOutputs::GetScale(const wl_output* pOutput) const
{
    for (const OUTPUT& output : m_outputs) {
        if (output.pOutput == pOutput)
            return output.nScale;
    }
    return 1;
}

CRect CWaylandOutputs::GetArea(const wl_output* pOutput) const
{
    const OUTPUT* pFound = nullptr;
    for (const OUTPUT& output : m_outputs) {
        if (output.pOutput == pOutput || (!pOutput && !pFound))
            pFound = &output;
    }
    if (!pFound || pFound->cxMode <= 0 || pFound->cyMode <= 0)
        return CRect(0, 0, 0, 0);
    const int cx = (pFound->bTurned ? pFound->cyMode : pFound->cxMode) / pFound->nScale;
    const int cy = (pFound->bTurned ? pFound->cxMode : pFound->cyMode) / pFound->nScale;
    return CRect(0, 0, cx, cy);
}
