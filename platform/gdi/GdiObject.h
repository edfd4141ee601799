// GDI objects. A handle stands for one of the drawing layer's objects (a pen,
// brush, font or bitmap) and lives until DeleteObject; a CGdiObject owns the
// handle attached to it and deletes it when it goes.
//
// As on the original platform, a handle that a DC still has selected cannot be
// deleted: DeleteObject refuses it, so deselect first. If a wrapper goes while
// its handle is still selected, the handle is freed when the DC lets it go, so
// that nothing leaks and nothing dangles. Stock objects (a new DC's pen, brush,
// font and bitmap) are never deleted.
//
// Left out: palettes, regions, extended pens, GetObject.
#pragma once

#include "platform/core/Types.h"

struct GdiObjectData;
typedef GdiObjectData* HGDIOBJ;
typedef GdiObjectData* HPEN;
typedef GdiObjectData* HBRUSH;
typedef GdiObjectData* HFONT;
typedef GdiObjectData* HBITMAP;

class CDC;

class CGdiObject {
public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    virtual ~CGdiObject();

    // Takes ownership of hObject; FALSE when hObject is null or one is attached already.
    BOOL Attach(HGDIOBJ hObject);
    // Gives up the handle without deleting it.
    HGDIOBJ Detach();
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    // Deletes the attached handle; FALSE (and the handle kept) while a DC has it selected.
    BOOL DeleteObject();

    HGDIOBJ m_hObject = nullptr;
};

// FALSE for a null handle or one that a DC has selected; TRUE (and nothing
// done) for a stock object.
BOOL DeleteObject(HGDIOBJ hObject);
