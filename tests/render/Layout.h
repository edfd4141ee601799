// The main window's layout in client pixels, as the dialog takes it from its
// hidden controls, and a course view set up with it.
#pragma once

#include "game/CourseView.h"

constexpr int kClientWidth = 558;
constexpr int kClientHeight = 251;

inline void SetDialogLayout(CCourseView& view)
{
    view.SetArea(12, 11, 546, 197);
    view.m_rcTitle = CRect(86, 23, 469, 77);
    view.m_rcStart = CRect(214, 102, 338, 134);
    view.m_rcExit = CRect(214, 146, 338, 178);
    view.m_rcStop = CRect(422, 200, 546, 232);
    view.SetText("Quindle");
}

inline void AddObstacle(CCourseView& view, int x, int y)
{
    view.m_obstacles.AddNew()->SetPos(x, y);
}
