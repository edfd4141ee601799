// The scenes of the golden images: the window's background and layout, and
// the fixed field of the game's Ready screen.
#pragma once

#include "Canvas.h"
#include "Layout.h"
#include "render/Painter.h"

// The dialog's own background, where Paint copies nothing.
constexpr COLORREF kDialogFace = RGB(240, 240, 240);

inline void SetUpWindow(CCourseView& view, CCanvas& window)
{
    SetDialogLayout(view);
    CPainter(&window.dc).DrawRect(0, 0, kClientWidth, kClientHeight, kDialogFace, kDialogFace);
}

inline void SetUpReadyScene(CCourseView& view)
{
    view.m_bInGame = 1;
    view.m_player.SetPos(100, 104);
    // A fixed field: a row across the middle, one bouncing high, one over the
    // player, two overlapping, one across the right edge, one beyond it, one
    // across the top.
    const CPoint obstacles[] = {{220, 60},  {260, 60},  {300, 60},  {340, 60},  {380, 150}, {104, 108},
                                {420, 120}, {426, 124}, {543, 90},  {600, 90},  {160, 12},  {480, 185},
                                {30, 180},  {200, 160}, {250, 140}, {330, 170}, {500, 30}};
    for (const CPoint& pt : obstacles)
        AddObstacle(view, pt.x, pt.y);
}
