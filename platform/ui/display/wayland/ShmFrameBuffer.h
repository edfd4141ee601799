// Inside platform/ui: a Wayland window's picture and its shared-memory
// buffers (wl_shm, memfd), with no GL anywhere. The window paints into one
// picture of its own at its size in pixels; a present copies what a free
// buffer lacks of it (ShmRing.h) and commits that buffer with the changed
// part as damage. When the compositor holds every buffer, the present waits
// for the first release and goes then.
#pragma once

#include <SDL.h>

#include <vector>

#include "platform/ui/display/FrameBuffer.h"
#include "platform/ui/display/wayland/ShmRing.h"

struct wl_buffer;
class CWaylandConnection;
class CWaylandWindow;

class CShmFrameBuffer : public CFrameBuffer {
public:
    CShmFrameBuffer(CWaylandConnection* pConnection, CWaylandWindow* pWindow);
    ~CShmFrameBuffer() override;

    SDL_Surface* GetSurface() override;
    void Present(const SDL_Rect& rc) override;

    // The compositor is done with buffer pBuffer.
    void OnRelease(wl_buffer* pBuffer);

private:
    struct SHMBUFFER {
        wl_buffer* pBuffer = nullptr;
        void* pPixels = nullptr;
        size_t nBytes = 0;
    };
    BOOL Make(SHMBUFFER* pShm, int cx, int cy);
    void Free(SHMBUFFER* pShm);
    // Commits the picture with everything changed since the last commit; FALSE when no buffer is free.
    BOOL Commit();

    CWaylandConnection* m_pConnection;
    CWaylandWindow* m_pWindow;
    SDL_Surface* m_pPicture = nullptr;
    CShmRing m_ring;
    std::vector<SHMBUFFER> m_buffers; // parallel to the ring's
    CRect m_rcUncommitted;             // changed since the last commit, in pixels
};
