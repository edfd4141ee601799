// The things that move on the course: an axis-aligned rectangle of fixed size
// given by its centre, with a horizontal and a vertical speed in pixels per
// move. Every move truncates the speed toward zero first.
//
// Threads: the game thread moves obstacles and places the player while the
// window thread reads rectangles for painting and moves the player with the
// wheel. The position is one relaxed atomic word, so a rectangle read is one
// the object really had (of this frame or a neighbouring one), never x of one
// move and y of another. The speeds are relaxed atomic words of their own.
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

    CRelaxedPoint m_pos;         // the centre; written by the game thread (obstacles, reset) and the wheel (player's y)
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
