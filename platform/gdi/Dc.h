// CDC: a device context that draws into a 32-bit pixel surface. A memory DC
// draws into the bitmap selected into it; the window's paint DC draws into the
// window's surface (platform/ui).
#pragma once

#include "platform/core/Types.h"
#include "platform/gdi/GdiObject.h"

struct DcData;
typedef DcData* HDC;

class CDC {
public:
    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC();

    // Makes this a memory DC compatible with pDC (the screen when pDC is null).
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();
    HDC GetSafeHdc() const { return m_hDC; }

    // Selects the bitmap and returns the one selected before (nullptr if none).
    CBitmap* SelectObject(CBitmap* pBitmap);

    HDC m_hDC = nullptr;
};
