#include "platform/ui/display/XftDpi.h"

#include <X11/Xlib.h>
#include <X11/Xresource.h>

#include <mutex>

std::string AfxXftDpiFromResources(const char* pszResources)
{
    if (!pszResources)
        return std::string();
    static std::once_flag once;
    std::call_once(once, XrmInitialize);
    XrmDatabase db = XrmGetStringDatabase(pszResources);
    if (!db)
        return std::string();
    char* pszType = nullptr;
    XrmValue value{0, nullptr};
    std::string dpi;
    if (XrmGetResource(db, "Xft.dpi", "Xft.Dpi", &pszType, &value) && value.addr)
        dpi.assign(value.addr, value.size > 0 && value.addr[value.size - 1] == '\0' ? value.size - 1 : value.size);
    XrmDestroyDatabase(db);
    return dpi;
}

std::string AfxReadXftDpi(Display* pDisplay)
{
    return pDisplay ? AfxXftDpiFromResources(XResourceManagerString(pDisplay)) : std::string();
}
