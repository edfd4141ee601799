// TEMPORARY placeholder until the rendering work lands; replaced wholesale.
#include "game/CourseView.h"
void CCourseView::Draw(CDC*, CString) {}
void CCourseView::DrawPlayer(CDC*) {}
void CCourseView::DrawObstacles(CDC*) {}
void CDrawArea::FillArea(CDC*, COLORREF) {}
void CDrawArea::DrawTitle(CDC*) {}
void CDrawArea::DrawMenuButtons(CDC*, int) {}
void CDrawArea::DrawBanner(CDC*, CString, int, COLORREF) {}
void CDrawArea::DrawStopButton(CDC*) {}
void CDrawArea::Paint(CDC*, CString) {}
