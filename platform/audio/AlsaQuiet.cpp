#include "platform/audio/AlsaQuiet.h"

#include <dlfcn.h>

namespace {

typedef void (*ALSAERRORHANDLER)(const char*, int, const char*, int, const char*, ...);
typedef int (*SETALSAERRORHANDLER)(ALSAERRORHANDLER);

void Silent(const char*, int, const char*, int, const char*, ...) {}

} // namespace

void AfxQuietAlsa()
{
    static const bool s_bDone = [] {
        // Kept loaded, with the handler set, for the life of the program.
        void* pLibrary = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL);
        auto pSet =
            pLibrary ? reinterpret_cast<SETALSAERRORHANDLER>(dlsym(pLibrary, "snd_lib_error_set_handler")) : nullptr;
        if (pSet)
            pSet(Silent);
        return true;
    }();
    (void)s_bDone;
}
