// A Wayland compositor the tests drive by script, on libwayland-server in a
// thread of the test process: the next wl_display_connect of the process
// reaches it through a socket pair. It offers wl_compositor, wl_shm,
// wl_output, wl_seat, xdg_wm_base and (by choice) xdg-decoration; it answers
// nothing by itself but pings and the seat's first words: configures, frame
// callbacks, buffer releases, outputs and seats coming and going are the
// script's. What the client did is read back with See. Every step runs
// under the compositor's lock and is sent before it returns.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CFakeCompositor {
public:
    enum KEYMAP { kKeymapGood, kKeymapShort, kKeymapGarbage };
    struct OPTIONS {
        uint32_t nWmBaseVersion = 5;
        bool bDecorations = true; // xdg-decoration offered; without it the client goes through libdecor
        uint32_t nDecorationAnswer = 0; // the mode a set_mode gets back, 0: the one asked
        KEYMAP keymap = kKeymapGood;
    };
    struct SEEN {
        int nBufferCommits = 0;  // commits with a new buffer attached
        int cxBuffer = 0;        // the last committed buffer
        int cyBuffer = 0;
        int nScale = 1;          // the last committed buffer scale
        int nHeld = 0;           // buffers committed and not released
        int nBuffersSeen = 0;    // distinct buffers ever committed
        bool bHeldWritten = false; // a held buffer changed while the compositor held it
        uint32_t nAcked = 0;     // the last configure serial acked
        int nToplevels = 0;      // toplevels ever made
        int nDecorations = 0;    // toplevel decoration objects alive
        int cxMin = 0, cyMin = 0, cxMax = 0, cyMax = 0;
        int nSeats = 0;          // wl_seat, wl_keyboard and wl_output resources alive
        int nKeyboards = 0;
        int nOutputs = 0;
        std::map<std::string, uint32_t> versions; // the version each interface was bound at
    };

    explicit CFakeCompositor(const OPTIONS& options);
    CFakeCompositor() : CFakeCompositor(OPTIONS()) {}
    ~CFakeCompositor();
    CFakeCompositor(const CFakeCompositor&) = delete;
    CFakeCompositor& operator=(const CFakeCompositor&) = delete;

    // The last toplevel: its bounds (where cxBounds > 0), its configure, its
    // surface's. States are xdg_toplevel's numbers. Returns the serial.
    uint32_t Configure(int cx, int cy, const std::vector<uint32_t>& states, int cxBounds = 0, int cyBounds = 0);
    void SendFrames();             // every frame callback committed so far is done
    bool Release(int nHeld);       // the nHeld-th held buffer, oldest first
    int AddOutput(int nScale, int cx, int cy); // an index for the calls below
    void SetOutputScale(int nOutput, int nScale);
    void RemoveOutput(int nOutput);
    void EnterOutput(int nOutput); // the last toplevel's surface is on it
    void AddSeat();                // with a pointer and a keyboard
    void RemoveSeat();             // the last one added
    void KeyboardEnter();          // onto the last toplevel's surface
    void Key(uint32_t nKey, bool bDown);
    void RepeatInfo(int32_t nRate, int32_t nDelay); // to the keyboards of the last seat
    void RefuseCompositor(uint32_t nCode); // a protocol error on wl_compositor
    void Close();                  // drops the client
    SEEN See();

    struct STATE;

private:
    std::unique_ptr<STATE> m_p;
};
