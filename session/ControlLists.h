// The locked lists of the control-state layer: the IDs of dialog controls
// whose enabled state follows the worker's run state, and a list of objects
// that the layer owns. Both have the shape of the course's object list: every
// walk or change holds the list's lock for its whole run, the count is read
// without it, and each element is a heap object that the list owns.
// Destroying a list frees its nodes only; the owner empties it with RemoveAll
// first.
#pragma once

#include <memory>

#include "platform/core/List.h"
#include "platform/core/Lock.h"

template <class TYPE>
class CLockedOwningList {
public:
    CLockedOwningList() = default;
    CLockedOwningList(const CLockedOwningList&) = delete;
    CLockedOwningList& operator=(const CLockedOwningList&) = delete;
    virtual ~CLockedOwningList() = default;

    // The element at nIndex counted from the oldest, or nullptr.
    TYPE* GetAt(int nIndex)
    {
        CSingleLock lock(&m_cs, TRUE);
        if (nIndex < 0 || nIndex >= m_list.GetCount())
            return nullptr;
        return m_list.GetAt(nIndex);
    }

    int GetCount() const { return m_list.GetCount(); }

    // Deletes every element, the newest first.
    void RemoveAll()
    {
        CSingleLock lock(&m_cs, TRUE);
        while (m_list.GetCount() > 0)
            delete m_list.RemoveTail();
    }

protected:
    // Appends pElement; the list owns it from then on.
    void Add(std::unique_ptr<TYPE> pElement)
    {
        CSingleLock lock(&m_cs, TRUE);
        m_list.AddTail(pElement.get());
        pElement.release();
    }

    CCriticalSection m_cs;        // guards m_list
    CList<TYPE*, TYPE*> m_list;
};

// Compiled once, in ControlLists.cpp.
extern template class CLockedOwningList<int>;

class CControlIdList : public CLockedOwningList<int> {
public:
    void AddControl(int nID) { Add(std::make_unique<int>(nID)); }
};

// What the owned-object list holds: anything destroyed through a virtual destructor.
class COwnedObject {
public:
    virtual ~COwnedObject() = default;
};

extern template class CLockedOwningList<COwnedObject>;

class COwnedObjectList : public CLockedOwningList<COwnedObject> {
public:
    void AddObject(std::unique_ptr<COwnedObject> pObject) { Add(std::move(pObject)); }
};
