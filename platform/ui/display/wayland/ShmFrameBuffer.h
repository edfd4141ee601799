// Inside platform/ui: a Wayland window's picture and its shared-memory
// buffers (wl_shm, memfd), with no GL anywhere. The window paints into one
// picture of its own at its size in pixels; a present copies what a free
// buffer lacks of it (ShmRing.h) and commits that buffer with the changed
// part as damage. When the compositor holds every buffer, or the frame
// callback of the last commit has not come, the present waits for both and
// goes then. A buffer whose memory cannot be made costs one line on stderr
// and that frame; the next present tries again.
#pragma once

#include <SDL.h>
#include <sys/types.h>

#include <cstddef>
#include <vector>

#include "platform/ui/display/FrameBuffer.h"
#include "platform/ui/display/wayland/ShmRing.h"

struct wl_buffer;
class CWaylandConnection;
class CWaylandWindow;

// The system calls that make a buffer's memory, one seam so that a test can make them fail.
struct SHMMEMORYCALLS {
    int (*pfnCreate)(const char* pszName, unsigned nFlags); // memfd_create
    int (*pfnResize)(int fd, off_t nBytes);                 // ftruncate
    void* (*pfnMap)(void* pAddress, size_t nBytes, int nProt, int nFlags, int fd, off_t nOffset); // mmap
};
// nullptr: the system's own. Window thread only.
void AfxSetShmMemoryCalls(const SHMMEMORYCALLS* pCalls);

class CShmFrameBuffer : public CFrameBuffer {
public:
    CShmFrameBuffer(CWaylandConnection* pConnection, CWaylandWindow* pWindow);
    ~CShmFrameBuffer() override;

    SDL_Surface* GetSurface() override;
    void Present(const SDL_Rect& rc) override;

    // The compositor is done with buffer pBuffer.
    void OnRelease(wl_buffer* pBuffer);
    // The window's frame callback came.
    void OnFrameDone() { CommitPending(); }
    // Buffers made and buffers the compositor holds now.
    int GetBufferCount() const { return m_ring.GetCount(); }
    int GetHeldCount() const;

private:
    struct SHMBUFFER {
        wl_buffer* pBuffer = nullptr;
        void* pPixels = nullptr;
        size_t nBytes = 0;
    };
    BOOL Make(SHMBUFFER* pShm, int cx, int cy);
    BOOL MakeFailed(); // one line on stderr (once a streak), FALSE
    void Free(SHMBUFFER* pShm);
    // Commits the picture with everything changed since the last commit; FALSE when no buffer is free.
    BOOL Commit();
    // A commit that waited goes when a buffer is free and the frame callback came.
    void CommitPending();

    CWaylandConnection* m_pConnection;
    CWaylandWindow* m_pWindow;
    SDL_Surface* m_pPicture = nullptr;
    CShmRing m_ring;
    std::vector<SHMBUFFER> m_buffers; // parallel to the ring's
    CRect m_rcUncommitted;             // changed since the last commit, in pixels
    BOOL m_bMakeFailed = FALSE;        // the failure is said once until a buffer is made again
};
