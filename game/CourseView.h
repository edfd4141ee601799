// The game field: the course rules (here, in game/) and the two screens
// (render/) of one class on top of the drawing area. The rules read only
// m_rcArea of the drawing side.
//
// Threads: the game thread resets the player, spawns, advances and tests;
// the window thread moves the player with the wheel and reads rectangles for
// painting. See CGameObject and CObjectList for what guards what.
#pragma once

#include "game/GameObject.h"
#include "game/ObjectList.h"
#include "render/DrawArea.h"

class CCourseView : public CDrawArea {
public:
    CCourseView();
    ~CCourseView() override;

    // Course rules.
    void ResetPlayer();
    void SpawnObstacles(int count);
    void AdvanceObstacles();
    int IsPlayerHit();
    int CountObstaclesInArea();
    // Obstacles that have left the area on its left side; one that still
    // reaches into the area (across its left edge) is not passed yet.
    int CountObstaclesPassed();
    void MovePlayerUp();
    void MovePlayerDown();
    CRect GetPlayerRect() const;
    // The rectangle of obstacle nIndex, or the empty rectangle when there is none.
    CRect GetObstacleRect(int nIndex);
    int GetObstacleCount() const;

    // Screens.
    void Draw(CDC* pDC, CString text) override;
    void GetPictureKey(CString text, std::vector<int>* pKey) override;
    void DrawPlayer(CDC* pDC);
    void DrawObstacles(CDC* pDC);

    CPlayer m_player;
    CObjectList m_obstacles;

private:
    void ClampPlayer(int y);
};
