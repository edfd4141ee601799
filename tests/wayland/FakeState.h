// The fake compositor's state and its protocol side: every object of every
// interface goes through one dispatcher, and the few requests the tests
// look at are read by name. Test support, compositor thread under the lock.
#pragma once

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-server.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <list>
#include <mutex>
#include <string_view>
#include <sys/eventfd.h>
#include <poll.h>
#include <thread>

#include "tests/wayland/FakeCompositor.h"
#include "xdg-decoration-unstable-v1-server-protocol.h"
#include "xdg-shell-server-protocol.h"



inline bool Is(const char* a, const char* b)
{
    return std::strcmp(a, b) == 0;
}

template <class T>
void Erase(std::vector<T>& v, const T& x)
{
    v.erase(std::remove(v.begin(), v.end(), x), v.end());
}



struct CFakeCompositor::STATE {
    struct SURFACE {
        wl_resource* pPending = nullptr;
        bool bAttached = false;
        int nPendingScale = 1;
        std::vector<wl_resource*> pendingFrames;
    };
    struct HELD {
        wl_resource* pBuffer;
        size_t nHash;
        wl_listener destroyed;
    };
    struct OUTPUT {
        wl_global* pGlobal;
        int nScale, cx, cy;
        std::vector<wl_resource*> resources;
    };
    struct SEAT {
        wl_global* pGlobal;
        std::vector<wl_resource*> seats, keyboards;
    };

    OPTIONS options;
    std::mutex mutex;
    wl_display* pDisplay = wl_display_create();
    wl_client* pClient = nullptr;
    wl_listener clientGone{};
    int stopFd = eventfd(0, EFD_CLOEXEC);
    std::thread thread;
    wl_resource* pCompositor = nullptr;
    std::map<wl_resource*, SURFACE> surfaces;
    std::map<wl_resource*, wl_resource*> xdgSurfaces; // xdg_surface -> wl_surface
    wl_resource* pSurface = nullptr;                 // the last toplevel's
    wl_resource* pXdgSurface = nullptr;
    wl_resource* pToplevel = nullptr;
    std::vector<wl_resource*> frames; // committed, not yet done
    std::list<HELD> held;
    std::vector<OUTPUT> outputs;
    std::vector<SEAT> seats;
    SEEN seen;
    uint32_t nSerial = 0;

    void Do(const std::function<void()>& step)
    {
        std::lock_guard<std::mutex> lock(mutex);
        step();
        wl_display_flush_clients(pDisplay);
    }

    void Run()
    {
        wl_event_loop* pLoop = wl_display_get_event_loop(pDisplay);
        pollfd fds[2] = {{wl_event_loop_get_fd(pLoop), POLLIN, 0}, {stopFd, POLLIN, 0}};
        while (poll(fds, 2, -1) >= 0 && !(fds[1].revents & POLLIN))
            Do([&] { wl_event_loop_dispatch(pLoop, 0); });
    }

    wl_resource* Make(wl_client* pOwner, const wl_interface* pInterface, int nVersion, uint32_t nId)
    {
        wl_resource* pResource = wl_resource_create(pOwner, pInterface, nVersion, nId);
        wl_resource_set_dispatcher(pResource, Dispatch, nullptr, this, OnDestroy);
        return pResource;
    }

    // Every request of every object of ours: new objects are made whatever
    // their kind, destroy and release end the object, the rest is OnRequest's.
    static int Dispatch(const void*, void* pTarget, uint32_t, const wl_message* pMessage, wl_argument* pArgs)
    {
        auto* pResource = static_cast<wl_resource*>(pTarget);
        auto* self = static_cast<STATE*>(wl_resource_get_user_data(pResource));
        wl_resource* pMade = nullptr;
        int i = 0;
        for (const char* p = pMessage->signature; *p; ++p) {
            if (std::isdigit(static_cast<unsigned char>(*p)) || *p == '?')
                continue;
            if (*p == 'n')
                pMade = self->Make(wl_resource_get_client(pResource), pMessage->types[i],
                                   wl_resource_get_version(pResource), pArgs[i].n);
            ++i;
        }
        self->OnRequest(pResource, pMessage->name, pArgs, pMade);
        if (Is(pMessage->name, "destroy") || Is(pMessage->name, "release"))
            wl_resource_destroy(pResource);
        return 0;
    }

    void OnRequest(wl_resource* pResource, const char* pszName, wl_argument* pArgs, wl_resource* pMade)
    {
        const char* pszClass = wl_resource_get_class(pResource);
        if (Is(pszClass, "wl_compositor") && Is(pszName, "create_surface")) {
            surfaces[pMade] = SURFACE();
        } else if (Is(pszClass, "wl_surface")) {
            SURFACE& surface = surfaces[pResource];
            if (Is(pszName, "attach")) {
                surface.pPending = static_cast<wl_resource*>(static_cast<void*>(pArgs[0].o));
                surface.bAttached = true;
            } else if (Is(pszName, "frame")) {
                surface.pendingFrames.push_back(pMade);
            } else if (Is(pszName, "set_buffer_scale")) {
                surface.nPendingScale = pArgs[0].i;
            } else if (Is(pszName, "commit")) {
                Commit(&surface);
            }
        } else if (Is(pszClass, "xdg_wm_base") && Is(pszName, "get_xdg_surface")) {
            xdgSurfaces[pMade] = static_cast<wl_resource*>(static_cast<void*>(pArgs[1].o));
        } else if (Is(pszClass, "xdg_surface") && Is(pszName, "get_toplevel")) {
            pToplevel = pMade;
            pXdgSurface = pResource;
            pSurface = xdgSurfaces[pResource];
            ++seen.nToplevels;
        } else if (Is(pszClass, "xdg_surface") && Is(pszName, "ack_configure")) {
            seen.nAcked = pArgs[0].u;
        } else if (Is(pszClass, "xdg_toplevel") && (Is(pszName, "set_min_size") || Is(pszName, "set_max_size"))) {
            const bool bMin = Is(pszName, "set_min_size");
            (bMin ? seen.cxMin : seen.cxMax) = pArgs[0].i;
            (bMin ? seen.cyMin : seen.cyMax) = pArgs[1].i;
        } else if (Is(pszClass, "zxdg_decoration_manager_v1") && Is(pszName, "get_toplevel_decoration")) {
            ++seen.nDecorations;
        } else if (Is(pszClass, "zxdg_toplevel_decoration_v1") && Is(pszName, "set_mode")) {
            zxdg_toplevel_decoration_v1_send_configure(
                pResource, options.nDecorationAnswer ? options.nDecorationAnswer : pArgs[0].u);
        } else if (Is(pszClass, "wl_seat") && Is(pszName, "get_keyboard")) {
            for (SEAT& seat : seats) {
                if (std::find(seat.seats.begin(), seat.seats.end(), pResource) != seat.seats.end())
                    seat.keyboards.push_back(pMade);
            }
            SendKeymap(pMade);
        }
    }

    void Commit(SURFACE* pSurfaceState)
    {
        frames.insert(frames.end(), pSurfaceState->pendingFrames.begin(), pSurfaceState->pendingFrames.end());
        pSurfaceState->pendingFrames.clear();
        if (pSurfaceState->bAttached && pSurfaceState->pPending) {
            wl_shm_buffer* pShm = wl_shm_buffer_get(pSurfaceState->pPending);
            ++seen.nBufferCommits;
            seen.cxBuffer = wl_shm_buffer_get_width(pShm);
            seen.cyBuffer = wl_shm_buffer_get_height(pShm);
            seen.nScale = pSurfaceState->nPendingScale;
            held.push_back(HELD{pSurfaceState->pPending, Hash(pSurfaceState->pPending), {}});
            held.back().destroyed.notify = [](wl_listener* pListener, void*) {
                wl_list_remove(&pListener->link);
                HELD* pHeld = wl_container_of(pListener, pHeld, destroyed);
                pHeld->pBuffer = nullptr; // swept at the next step
            };
            wl_resource_add_destroy_listener(pSurfaceState->pPending, &held.back().destroyed);
        }
        pSurfaceState->bAttached = false;
    }

    static size_t Hash(wl_resource* pBuffer)
    {
        wl_shm_buffer* pShm = wl_shm_buffer_get(pBuffer);
        wl_shm_buffer_begin_access(pShm);
        const std::string_view pixels(static_cast<const char*>(wl_shm_buffer_get_data(pShm)),
                                      size_t(wl_shm_buffer_get_stride(pShm)) * size_t(wl_shm_buffer_get_height(pShm)));
        const size_t nHash = std::hash<std::string_view>()(pixels);
        wl_shm_buffer_end_access(pShm);
        return nHash;
    }

    void SendKeymap(wl_resource* pKeyboard)
    {
        std::string strKeymap = "not a keymap at all";
        if (options.keymap == kKeymapGood) {
            xkb_context* pContext = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
            xkb_keymap* pKeymap = xkb_keymap_new_from_names(pContext, nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS);
            char* psz = xkb_keymap_get_as_string(pKeymap, XKB_KEYMAP_FORMAT_TEXT_V1);
            strKeymap = psz;
            std::free(psz);
            xkb_keymap_unref(pKeymap);
            xkb_context_unref(pContext);
        }
        // A short file: a page with no end of text, and a size said far past it.
        if (options.keymap == kKeymapShort)
            strKeymap.assign(4096, 'x');
        const int fd = memfd_create("fake-keymap", MFD_CLOEXEC);
        if (write(fd, strKeymap.c_str(), strKeymap.size() + (options.keymap == kKeymapShort ? 0 : 1)) < 0)
            std::abort();
        const uint32_t nSize = options.keymap == kKeymapShort ? 65536 : uint32_t(strKeymap.size() + 1);
        wl_keyboard_send_keymap(pKeyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd, nSize);
        close(fd);
        if (wl_resource_get_version(pKeyboard) >= WL_KEYBOARD_REPEAT_INFO_SINCE_VERSION)
            wl_keyboard_send_repeat_info(pKeyboard, 25, 600);
    }

    static void OnDestroy(wl_resource* pResource)
    {
        auto* self = static_cast<STATE*>(wl_resource_get_user_data(pResource));
        self->surfaces.erase(pResource);
        self->xdgSurfaces.erase(pResource);
        for (auto& surface : self->surfaces)
            Erase(surface.second.pendingFrames, pResource);
        Erase(self->frames, pResource);
        for (OUTPUT& output : self->outputs)
            Erase(output.resources, pResource);
        for (SEAT& seat : self->seats) {
            Erase(seat.seats, pResource);
            Erase(seat.keyboards, pResource);
        }
        for (wl_resource** pp : {&self->pSurface, &self->pXdgSurface, &self->pToplevel, &self->pCompositor}) {
            if (*pp == pResource)
                *pp = nullptr;
        }
        if (Is(wl_resource_get_class(pResource), "zxdg_toplevel_decoration_v1"))
            --self->seen.nDecorations;
    }

    struct GLOBAL {
        STATE* self;
        const wl_interface* pInterface;
        int nIndex; // of the output or the seat
    };
    std::list<GLOBAL> globals;

    wl_global* Offer(const wl_interface* pInterface, int nVersion, int nIndex = 0)
    {
        globals.push_back(GLOBAL{this, pInterface, nIndex});
        return wl_global_create(pDisplay, pInterface, nVersion, &globals.back(), Bind);
    }

    static void Bind(wl_client* pOwner, void* pData, uint32_t nVersion, uint32_t nId)
    {
        const GLOBAL& global = *static_cast<GLOBAL*>(pData);
        STATE* self = global.self;
        wl_resource* pResource = self->Make(pOwner, global.pInterface, int(nVersion), nId);
        self->seen.versions[global.pInterface->name] = nVersion;
        if (global.pInterface == &wl_compositor_interface) {
            self->pCompositor = pResource;
        } else if (global.pInterface == &wl_output_interface) {
            OUTPUT& output = self->outputs[size_t(global.nIndex)];
            output.resources.push_back(pResource);
            wl_output_send_geometry(pResource, 0, 0, 300, 200, 0, "fake", "fake", WL_OUTPUT_TRANSFORM_NORMAL);
            wl_output_send_mode(pResource, WL_OUTPUT_MODE_CURRENT, output.cx, output.cy, 60000);
            SendScale(pResource, output.nScale);
        } else if (global.pInterface == &wl_seat_interface) {
            self->seats[size_t(global.nIndex)].seats.push_back(pResource);
            wl_seat_send_capabilities(pResource, WL_SEAT_CAPABILITY_POINTER | WL_SEAT_CAPABILITY_KEYBOARD);
        }
    }

    static void SendScale(wl_resource* pOutput, int nScale)
    {
        wl_output_send_scale(pOutput, nScale);
        wl_output_send_done(pOutput);
    }

    wl_resource* OutputOf(int nOutput) const
    {
        for (wl_resource* pResource : outputs[size_t(nOutput)].resources) {
            if (wl_resource_get_client(pResource) == pClient)
                return pResource;
        }
        return nullptr;
    }
};

