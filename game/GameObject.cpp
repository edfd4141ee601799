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
    int x = 0, y = 0;
    m_pos.Get(&x, &y);
    const int halfW = m_nWidth / 2, halfH = m_nHeight / 2;
    return CRect(x - halfW, y - halfH, x + halfW, y + halfH);
}

CPoint CGameObject::GetPos() const
{
    int x = 0, y = 0;
    m_pos.Get(&x, &y);
    return CPoint(x, y);
}

void CGameObject::SetPos(int x, int y)
{
    m_pos.Set(x, y);
}

void CGameObject::SetPos(CPoint pt)
{
    SetPos(pt.x, pt.y);
}

void CGameObject::SetX(int x)
{
    m_pos.SetX(x);
}

void CGameObject::SetY(int y)
{
    m_pos.SetY(y);
}

void CGameObject::Offset(int dx, int dy)
{
    m_pos.Offset(dx, dy);
}

void CGameObject::MoveLeft()
{
    m_pos.Offset(-Pixels(m_dSpeedX), 0);
}

void CGameObject::MoveRight()
{
    m_pos.Offset(Pixels(m_dSpeedX), 0);
}

void CGameObject::MoveUp()
{
    m_pos.Offset(0, -Pixels(m_dSpeedY));
}

void CGameObject::MoveDown()
{
    m_pos.Offset(0, Pixels(m_dSpeedY));
}

void CGameObject::Step()
{
    m_pos.Offset(Pixels(m_dSpeedX), Pixels(m_dSpeedY));
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
