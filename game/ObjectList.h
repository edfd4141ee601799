// The owning list of the course's obstacles, in creation order. Every
// operation that changes or walks the list holds the list's lock for its whole
// run; the count is read without it. The game thread fills, walks and empties
// the list; the window thread reads rectangles for painting through
// GetRectAt, which copies the rectangle under the lock, so an obstacle that
// the game thread deletes can never be touched half-way.
#pragma once

#include "game/GameObject.h"
#include "platform/core/List.h"
#include "platform/core/Lock.h"

class CObjectList {
public:
    CObjectList() = default;
    CObjectList(const CObjectList&) = delete;
    CObjectList& operator=(const CObjectList&) = delete;
    // Frees the list only; the owner deletes the objects with RemoveAll first.
    virtual ~CObjectList() = default;

    // Creates an obstacle with its defaults and appends it.
    CGameObject* AddNew();
    // The object at nIndex counted from the oldest, or nullptr.
    CGameObject* GetAt(int nIndex);
    int GetCount() const;
    // Deletes every object, the newest first.
    void RemoveAll();
    // Copies the rectangle of the object at nIndex; FALSE (and an empty
    // rectangle) when there is none.
    BOOL GetRectAt(int nIndex, CRect* pRect);

protected:
    CCriticalSection m_cs;                      // guards m_list
    CList<CGameObject*, CGameObject*> m_list;   // written by the game thread only
};
