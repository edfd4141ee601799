// The cost of one paint of the window: the game screen with 300 obstacles and
// a status text at device scales 1 and 2 (2x fills four times the pixels),
// the menu screen with Start under the mouse, and, for comparison, the same
// game scene drawn with cairo on image surfaces of the 1x sizes.
#include <benchmark/benchmark.h>

#include "game/CourseView.h"
#include "platform/gdi/Dc.h"
#include "tests/render/Layout.h"

#ifdef QUINDLE_HAVE_CAIRO
#include <cairo.h>
#endif

namespace {

constexpr int kObstacles = 300;
constexpr const char* kStatus = "Go!!";

// A memory DC standing in for the window's paint DC at a device scale.
struct CWindow {
    explicit CWindow(int nScale = 1)
    {
        dc.Attach(AfxCreateScaledDC(nScale));
        bmp.CreateCompatibleBitmap(&dc, kClientWidth, kClientHeight);
        dc.SelectObject(&bmp);
    }
    ~CWindow() { dc.SelectObject(static_cast<CBitmap*>(nullptr)); }
    CDC dc;
    CBitmap bmp;
};

void SetLayout(CCourseView& view)
{
    SetDialogLayout(view);
    view.m_player.SetPos(100, 104);
}

// A fixed field like the one of a run: spread over the course, most of it
// still right of the area.
void AddObstacles(CCourseView& view)
{
    for (int i = 0; i < kObstacles; ++i)
        view.m_obstacles.AddNew()->SetPos(212 + (i * 7919) % 1936, 11 + (i * 104729) % 186);
}

void BM_PaintGameScreen(benchmark::State& state)
{
    CCourseView view;
    SetLayout(view);
    AddObstacles(view);
    view.m_bInGame = 1;
    CWindow window(int(state.range(0)));
    view.Paint(&window.dc, kStatus); // builds the buffers and warms the font and text caches
    for (auto _ : state)
        view.Paint(&window.dc, kStatus);
    view.m_obstacles.RemoveAll();
}
BENCHMARK(BM_PaintGameScreen)->ArgName("scale")->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_PaintMenuScreen(benchmark::State& state)
{
    CCourseView view;
    SetLayout(view);
    view.UpdateHover(CPoint(250, 110));
    CWindow window;
    view.Paint(&window.dc, "");
    for (auto _ : state)
        view.Paint(&window.dc, "");
}
BENCHMARK(BM_PaintMenuScreen)->Unit(benchmark::kMicrosecond);

#ifdef QUINDLE_HAVE_CAIRO

void SetColour(cairo_t* cr, COLORREF c)
{
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

// The same pixels as Rectangle: a one-pixel outline and the inside, as pixel-aligned boxes.
void CairoRect(cairo_t* cr, const CRect& rc, COLORREF pen, COLORREF fill)
{
    if (rc.IsRectEmpty())
        return;
    SetColour(cr, pen);
    cairo_rectangle(cr, rc.left, rc.top, rc.Width(), rc.Height());
    cairo_fill(cr);
    SetColour(cr, fill);
    cairo_rectangle(cr, rc.left + 1, rc.top + 1, rc.Width() - 2, rc.Height() - 2);
    cairo_fill(cr);
}

void CairoText(cairo_t* cr, const CRect& rc, const char* pszText, COLORREF colour)
{
    cairo_save(cr);
    cairo_rectangle(cr, rc.left, rc.top, rc.Width(), rc.Height());
    cairo_clip(cr);
    cairo_select_font_face(cr, "IPAGothic", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 27);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, pszText, &extents);
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    SetColour(cr, colour);
    cairo_move_to(cr, rc.left + (rc.Width() - extents.x_advance) / 2,
                  rc.top + (rc.Height() - font.height) / 2 + font.ascent);
    cairo_show_text(cr, pszText);
    cairo_restore(cr);
}

void CopyBlock(cairo_t* cr, cairo_surface_t* pFrom, const CRect& rc)
{
    cairo_set_source_surface(cr, pFrom, 0, 0);
    cairo_rectangle(cr, rc.left, rc.top, rc.Width(), rc.Height());
    cairo_fill(cr);
}

void BM_CairoGameScreen(benchmark::State& state)
{
    CCourseView view;
    SetLayout(view);
    AddObstacles(view);
    const CRect& area = view.m_rcArea;
    const CRect& stop = view.m_rcStop;
    cairo_surface_t* pWindow = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kClientWidth, kClientHeight);
    cairo_surface_t* pMain = cairo_image_surface_create(CAIRO_FORMAT_RGB24, area.right, area.bottom);
    cairo_surface_t* pOverlay = cairo_image_surface_create(CAIRO_FORMAT_RGB24, stop.right, stop.bottom);
    cairo_t* crWindow = cairo_create(pWindow);
    cairo_t* crMain = cairo_create(pMain);
    cairo_t* crOverlay = cairo_create(pOverlay);
    cairo_set_operator(crWindow, CAIRO_OPERATOR_SOURCE);
    for (auto _ : state) {
        CairoRect(crMain, area, 0x000000, 0x000000);
        CairoRect(crMain, view.GetPlayerRect(), 0x262626, 0x0000CC);
        for (int i = 0; i < view.GetObstacleCount(); ++i)
            CairoRect(crMain, view.GetObstacleRect(i), 0x262626, 0x8C8C8C);
        CairoText(crMain, area, kStatus, 0xFFFFFF);
        CopyBlock(crWindow, pMain, area);
        CairoRect(crOverlay, stop, 0x262626, 0x262626);
        CairoText(crOverlay, stop, "Stop", 0x0000D1E5);
        CopyBlock(crWindow, pOverlay, stop);
        cairo_surface_flush(pWindow);
    }
    cairo_destroy(crOverlay);
    cairo_destroy(crMain);
    cairo_destroy(crWindow);
    cairo_surface_destroy(pOverlay);
    cairo_surface_destroy(pMain);
    cairo_surface_destroy(pWindow);
    view.m_obstacles.RemoveAll();
}
BENCHMARK(BM_CairoGameScreen)->Unit(benchmark::kMicrosecond);

#endif

} // namespace
