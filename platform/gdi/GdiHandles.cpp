// The bookkeeping of handles: stock objects, the wrappers SelectObject hands
// back, and the selection counts that keep a selected handle alive.
#include "platform/gdi/GdiData.h"

namespace {

// The dialog font stands for the platform's system font.
constexpr const char* kStockFace = "ＭＳ Ｐゴシック";
constexpr int kStockFontPixels = 12;

struct StockObjects {
    CPen pen;
    CBrush brush;
    CFont font;
    CBitmap bitmap;
};

HGDIOBJ MakeStock(GdiKind kind, CGdiObject& wrapper)
{
    HGDIOBJ h = new GdiObjectData(kind);
    h->bStock = true;
    switch (kind) {
    case GdiKind::Pen:
        h->colour = RGB(0, 0, 0);
        break;
    case GdiKind::Brush:
        h->colour = RGB(255, 255, 255);
        break;
    case GdiKind::Font:
        h->strFace = kStockFace;
        h->nPixelHeight = kStockFontPixels;
        break;
    case GdiKind::Bitmap:
        break;
    }
    wrapper.Attach(h);
    return h;
}

StockObjects& Stock()
{
    // Made once and never destroyed: every DC may hold them until the process ends.
    static StockObjects* pStock = [] {
        auto* p = new StockObjects;
        MakeStock(GdiKind::Pen, p->pen);
        MakeStock(GdiKind::Brush, p->brush);
        MakeStock(GdiKind::Font, p->font);
        MakeStock(GdiKind::Bitmap, p->bitmap);
        return p;
    }();
    return *pStock;
}

std::unique_ptr<CGdiObject> MakeWrapper(GdiKind kind)
{
    switch (kind) {
    case GdiKind::Pen:
        return std::make_unique<CPen>();
    case GdiKind::Brush:
        return std::make_unique<CBrush>();
    case GdiKind::Font:
        return std::make_unique<CFont>();
    case GdiKind::Bitmap:
        break;
    }
    return std::make_unique<CBitmap>();
}

} // namespace

GdiObjectData::~GdiObjectData()
{
    // The temporary wrapper does not own the handle: take it back before it goes.
    if (pTemporary)
        pTemporary->m_hObject = nullptr;
    if (pSurface)
        SDL_FreeSurface(pSurface);
}

HGDIOBJ AfxStockObject(GdiKind kind)
{
    StockObjects& stock = Stock();
    switch (kind) {
    case GdiKind::Pen:
        return stock.pen.m_hObject;
    case GdiKind::Brush:
        return stock.brush.m_hObject;
    case GdiKind::Font:
        return stock.font.m_hObject;
    case GdiKind::Bitmap:
        break;
    }
    return stock.bitmap.m_hObject;
}

CGdiObject* AfxWrapperOf(HGDIOBJ hObject)
{
    if (!hObject)
        return nullptr;
    if (hObject->pWrapper)
        return hObject->pWrapper;
    if (!hObject->pTemporary) {
        hObject->pTemporary = MakeWrapper(hObject->kind);
        hObject->pTemporary->m_hObject = hObject;
    }
    return hObject->pTemporary.get();
}

void AfxAddSelection(HGDIOBJ hObject)
{
    if (hObject && !hObject->bStock)
        ++hObject->nSelections;
}

void AfxReleaseSelection(HGDIOBJ hObject)
{
    if (!hObject || hObject->bStock)
        return;
    if (--hObject->nSelections == 0 && hObject->bOrphaned)
        delete hObject;
}
