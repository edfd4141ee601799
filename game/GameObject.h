// The things that move on the course: an axis-aligned rectangle of fixed size
// given by its centre, with a horizontal and a vertical speed in pixels per
// move. Every move truncates the speed toward zero first.
//
// Threads: the game thread moves obstacles and places the player while the
// window thread reads rectangles for painting and moves the player with the
// wheel. Position and speeds are relaxed atomic words, so each read and write
// is whole; a reader may see a neighbouring frame's value.
#pragma once

#include "platform/core/Rect.h"
#include "platform/core/Shared.h"

class CGameObject {
public:
    CGameObject() = default;
    CGameObject(const CGameObject&) = delete;
    CGameObject& operator=(const CGameObject&) = delete;
    virtual ~CGameObject() = default;

    virtual CRect GetRect() const;
    virtual CPoint GetPos() const;
    virtual void SetPos(int x, int y);
    virtual void SetPos(CPoint pt);
    virtual void SetX(int x);
    virtual void SetY(int y);
    virtual void Offset(int dx, int dy);
    virtual void MoveLeft();
    virtual void MoveRight();
    virtual void MoveUp();
    virtual void MoveDown();
    virtual void Step();
    virtual int GetWidth() const;
    virtual void SetWidth(int nWidth);
    virtual int GetHeight() const;
    virtual void SetHeight(int nHeight);

    CRelaxed<int> m_x = 0;       // written by the game thread (obstacles, reset) and the wheel (player's y)
    CRelaxed<int> m_y = 0;
    CRelaxed<int> m_nWidth = 10; // fixed after construction in this game
    CRelaxed<int> m_nHeight = 10;
    CRelaxed<double> m_dSpeedX = 1.0; // set by the course rules right after creation
    CRelaxed<double> m_dSpeedY = 1.0;
};

class CPlayer : public CGameObject {
public:
    CPlayer();
    ~CPlayer() override = default;
};

class CObstacle : public CGameObject {
public:
    ~CObstacle() override = default;
};
