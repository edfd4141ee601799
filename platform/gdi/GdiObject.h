// GDI objects: a CGdiObject wraps a handle it owns once attached. A handle is
// the platform's own drawing object (a pen, brush, font or bitmap) that lives
// until DeleteObject. Deleting a handle that a DC still has selected is
// refused, as on the original platform: deselect first.
#pragma once

#include "platform/core/Types.h"

struct GdiObjectData;
typedef GdiObjectData* HGDIOBJ;
typedef GdiObjectData* HBITMAP;

class CDC;

class CGdiObject {
public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    virtual ~CGdiObject();

    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    BOOL DeleteObject();

    HGDIOBJ m_hObject = nullptr;
};

BOOL DeleteObject(HGDIOBJ hObject);

class CBitmap : public CGdiObject {
public:
    // A bitmap of nWidth x nHeight pixels in the pixel format of pDC's device.
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    int GetWidth() const;
    int GetHeight() const;
};

HBITMAP CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
