// Inside platform/ui: the compositor's outputs as our Wayland windows need
// them, each with its scale and current mode. Outputs come and go at any
// time (a monitor plugged in or out, a nested compositor's window); the
// connection hands each new global here and tells of each one removed.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/core/Rect.h"
#include "platform/core/Types.h"

struct wl_registry;
struct wl_output;

class CWaylandOutputs {
public:
    // onChanged: an output's properties are complete (a scale may have changed);
    // onGone: an output is about to be released.
    CWaylandOutputs(std::function<void()> onChanged, std::function<void(wl_output*)> onGone)
        : m_onChanged(std::move(onChanged)), m_onGone(std::move(onGone))
    {
    }
    ~CWaylandOutputs();
    CWaylandOutputs(const CWaylandOutputs&) = delete;
    CWaylandOutputs& operator=(const CWaylandOutputs&) = delete;

    // The registry's global nName, an output of version nVersion.
    void Bind(wl_registry* pRegistry, uint32_t nName, uint32_t nVersion);
    // FALSE when nName is none of ours.
    BOOL Remove(uint32_t nName);
    // Releases every output, telling no one: the connection is closing.
    void Clear();

    // The scale of output pOutput (1 when unknown).
    int GetScale(const wl_output* pOutput) const;
    // The scale of the only output, where there is one: a new window's best
    // guess before the compositor says where it is.
    int GetSoleScale() const { return m_outputs.size() == 1 ? m_outputs[0].nScale : 1; }
    // Output pOutput (the first one when null) in points, at (0, 0): a
    // client learns not where outputs are. Empty when unknown.
    CRect GetArea(const wl_output* pOutput) const;
    int GetCount() const { return int(m_outputs.size()); }

private:
    struct OUTPUT {
        wl_output* pOutput;
        uint32_t nName;
        int nScale;
        int cxMode; // the current mode in pixels, 0 until told
        int cyMode;
        BOOL bTurned; // a transform of a quarter turn: the mode's sides swap
    };
    static OUTPUT* Find(void* pData, const wl_output* pOutput);
    static void Release(wl_output* pOutput);

    std::vector<OUTPUT> m_outputs;
    std::function<void()> m_onChanged;
    std::function<void(wl_output*)> m_onGone;
};
