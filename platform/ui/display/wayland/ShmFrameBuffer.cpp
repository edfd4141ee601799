#include "platform/ui/display/wayland/ShmFrameBuffer.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/ui/display/wayland/WaylandConnection.h"
#include "platform/ui/display/wayland/WaylandWindow.h"

namespace {

constexpr int kBytesPerPixel = 4;

CRect Union(const CRect& a, const CRect& b)
{
    if (a.IsRectEmpty())
        return b;
    if (b.IsRectEmpty())
        return a;
    return CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom));
}

int SystemCreate(const char* pszName, unsigned nFlags)
{
    return memfd_create(pszName, nFlags);
}

const SHMMEMORYCALLS kSystemCalls = {SystemCreate, ftruncate, mmap};
const SHMMEMORYCALLS* g_pCalls = &kSystemCalls;

const wl_buffer_listener kBufferListener = {
    [](void* p, wl_buffer* pBuffer) { static_cast<CShmFrameBuffer*>(p)->OnRelease(pBuffer); },
};

} // namespace

void AfxSetShmMemoryCalls(const SHMMEMORYCALLS* pCalls)
{
    g_pCalls = pCalls ? pCalls : &kSystemCalls;
}

CShmFrameBuffer::CShmFrameBuffer(CWaylandConnection* pConnection, CWaylandWindow* pWindow)
    : m_pConnection(pConnection), m_pWindow(pWindow)
{
    pWindow->SetFrameBuffer(this);
}

CShmFrameBuffer::~CShmFrameBuffer()
{
    m_pWindow->SetFrameBuffer(nullptr);
    for (SHMBUFFER& shm : m_buffers)
        Free(&shm);
    SDL_FreeSurface(m_pPicture);
}

SDL_Surface* CShmFrameBuffer::GetSurface()
{
    int cx = 0;
    int cy = 0;
    m_pWindow->GetSizeInPixels(&cx, &cy);
    if (!m_pPicture || m_pPicture->w != cx || m_pPicture->h != cy) {
        SDL_FreeSurface(m_pPicture);
        // XRGB8888 in memory as wl_shm has it, and as the drawing layer keeps it end to end.
        m_pPicture = SDL_CreateRGBSurfaceWithFormat(0, cx, cy, 32, SDL_PIXELFORMAT_RGB888);
        m_rcUncommitted = CRect(0, 0, cx, cy);
        // A buffer kept from when the picture last had this size shows none of the new one.
        m_ring.NoteChange(m_rcUncommitted);
    }
    return m_pPicture;
}

void CShmFrameBuffer::Present(const SDL_Rect& rc)
{
    if (!m_pPicture)
        return;
    const CRect rcChanged(rc.x, rc.y, rc.x + rc.w, rc.y + rc.h);
    m_ring.NoteChange(rcChanged);
    m_rcUncommitted = Union(m_rcUncommitted, rcChanged);
    // Before its first configure a surface takes no buffer; the configure brings a whole paint.
    CommitPending();
}

BOOL CShmFrameBuffer::Commit()
{
    BOOL bRemake = FALSE;
    const int i = m_ring.Acquire(m_pPicture->w, m_pPicture->h, &bRemake);
    if (i < 0)
        return FALSE;
    if (size_t(i) >= m_buffers.size())
        m_buffers.resize(size_t(i) + 1);
    SHMBUFFER& shm = m_buffers[size_t(i)];
    if (bRemake) {
        Free(&shm);
        if (!Make(&shm, m_pPicture->w, m_pPicture->h)) {
            // The slot holds no memory: the next present makes it again.
            m_ring.Drop(i);
            return FALSE;
        }
    }
    // Only what this buffer lacks, row by row.
    const CRect rcCopy = m_ring.TakeStale(i);
    const size_t nPitch = size_t(m_pPicture->w) * kBytesPerPixel;
    for (LONG y = rcCopy.top; y < rcCopy.bottom; ++y) {
        const size_t nOffset = size_t(y) * nPitch + size_t(rcCopy.left) * kBytesPerPixel;
        std::memcpy(static_cast<Uint8*>(shm.pPixels) + nOffset,
                    static_cast<const Uint8*>(m_pPicture->pixels) + size_t(y) * size_t(m_pPicture->pitch) +
                        size_t(rcCopy.left) * kBytesPerPixel,
                    size_t(rcCopy.Width()) * kBytesPerPixel);
    }
    m_ring.MarkHeld(i);
    m_pWindow->Commit(shm.pBuffer, m_rcUncommitted);
    m_rcUncommitted = CRect(0, 0, 0, 0);
    return TRUE;
}

void CShmFrameBuffer::OnRelease(wl_buffer* pBuffer)
{
    for (size_t i = 0; i < m_buffers.size(); ++i) {
        if (m_buffers[i].pBuffer == pBuffer)
            m_ring.Release(int(i));
    }
    CommitPending();
}

void CShmFrameBuffer::CommitPending()
{
    // A present that found every buffer held goes now, but never before the frame callback.
    if (!m_rcUncommitted.IsRectEmpty() && m_pPicture && m_pWindow->CanPresent())
        Commit();
}

int CShmFrameBuffer::GetHeldCount() const
{
    int n = 0;
    for (int i = 0; i < m_ring.GetCount(); ++i)
        n += m_ring.IsHeld(i) ? 1 : 0;
    return n;
}

BOOL CShmFrameBuffer::Make(SHMBUFFER* pShm, int cx, int cy)
{
    const int nStride = cx * kBytesPerPixel;
    const size_t nBytes = size_t(nStride) * size_t(cy);
    const int fd = g_pCalls->pfnCreate("quindle-shm", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (fd < 0)
        return MakeFailed();
    if (g_pCalls->pfnResize(fd, off_t(nBytes)) != 0) {
        const int nError = errno;
        close(fd);
        errno = nError;
        return MakeFailed();
    }
    // Every page is written at once (a new buffer takes the whole picture):
    // mapped in one go, not one fault at a time, which costs a few
    // milliseconds more per buffer on a virtual machine.
    void* pPixels = g_pCalls->pfnMap(nullptr, nBytes, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_POPULATE, fd, 0);
    if (pPixels == MAP_FAILED) {
        const int nError = errno;
        close(fd);
        errno = nError;
        return MakeFailed();
    }
    m_bMakeFailed = FALSE;
    wl_shm_pool* pPool = wl_shm_create_pool(m_pConnection->GetShm(), fd, int32_t(nBytes));
    pShm->pBuffer = wl_shm_pool_create_buffer(pPool, 0, cx, cy, nStride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pPool);
    close(fd);
    wl_buffer_add_listener(pShm->pBuffer, &kBufferListener, this);
    pShm->pPixels = pPixels;
    pShm->nBytes = nBytes;
    return TRUE;
}

BOOL CShmFrameBuffer::MakeFailed()
{
    if (!m_bMakeFailed)
        std::fprintf(stderr, "%s: no memory for the window's picture (%s); the frame waits for the next paint\n",
                     program_invocation_short_name, std::strerror(errno));
    m_bMakeFailed = TRUE;
    return FALSE;
}

void CShmFrameBuffer::Free(SHMBUFFER* pShm)
{
    if (pShm->pBuffer)
        wl_buffer_destroy(pShm->pBuffer);
    if (pShm->pPixels)
        munmap(pShm->pPixels, pShm->nBytes);
    *pShm = SHMBUFFER();
}
