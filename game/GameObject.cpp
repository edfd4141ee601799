#include "game/GameObject.h"

namespace {
// Speeds are doubles; a move uses their whole-pixel part, dropping the fraction.
int Pixels(double dSpeed)
{
    return static_cast<int>(dSpeed);
}
} // namespace

CRect CGameObject::GetRect() const
{
    const int x = m_x, y = m_y;
    const int halfW = m_nWidth / 2, halfH = m_nHeight / 2;
    return CRect(x - halfW, y - halfH, x + halfW, y + halfH);
}

CPoint CGameObject::GetPos() const
{
    return CPoint(m_x, m_y);
}

void CGameObject::SetPos(int x, int y)
{
    m_x = x;
    m_y = y;
}

void CGameObject::SetPos(CPoint pt)
{
    SetPos(pt.x, pt.y);
}

void CGameObject::SetX(int x)
{
    m_x = x;
}

void CGameObject::SetY(int y)
{
    m_y = y;
}

void CGameObject::Offset(int dx, int dy)
{
    m_x += dx;
    m_y += dy;
}

void CGameObject::MoveLeft()
{
    m_x -= Pixels(m_dSpeedX);
}

void CGameObject::MoveRight()
{
    m_x += Pixels(m_dSpeedX);
}

void CGameObject::MoveUp()
{
    m_y -= Pixels(m_dSpeedY);
}

void CGameObject::MoveDown()
{
    m_y += Pixels(m_dSpeedY);
}

void CGameObject::Step()
{
    m_x += Pixels(m_dSpeedX);
    m_y += Pixels(m_dSpeedY);
}

int CGameObject::GetWidth() const
{
    return m_nWidth;
}

void CGameObject::SetWidth(int nWidth)
{
    m_nWidth = nWidth;
}

int CGameObject::GetHeight() const
{
    return m_nHeight;
}

void CGameObject::SetHeight(int nHeight)
{
    m_nHeight = nHeight;
}

CPlayer::CPlayer()
{
    m_dSpeedX = 0.0;
    m_dSpeedY = 5.0;
}
