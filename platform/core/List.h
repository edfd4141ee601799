// CList: an ordered list, head (index 0, the oldest) to tail (the newest).
// Elements are reached by index in constant time, so a pass over all of them
// by index is linear. The count may be read without the owner's lock while
// another thread changes the list under it: it is a word of its own.
// When the list becomes empty it gives its storage back.
#pragma once

#include <atomic>
#include <cstddef>
#include <vector>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList {
public:
    explicit CList(int nBlockSize = 10) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;

    int GetCount() const { return m_nCount.load(std::memory_order_relaxed); }
    bool IsEmpty() const { return GetCount() == 0; }

    void AddTail(ARG_TYPE newElement)
    {
        if (m_items.size() == m_items.capacity())
            m_items.reserve(m_items.size() + std::size_t(m_nBlockSize));
        m_items.push_back(newElement);
        Publish();
    }

    // The element at nIndex; the caller checks 0 <= nIndex < GetCount().
    TYPE& GetAt(int nIndex) { return m_items[std::size_t(nIndex)]; }
    const TYPE& GetAt(int nIndex) const { return m_items[std::size_t(nIndex)]; }

    // Detaches the tail element and returns it; the list must not be empty.
    TYPE RemoveTail()
    {
        TYPE t = m_items.back();
        m_items.pop_back();
        if (m_items.empty())
            std::vector<TYPE>().swap(m_items);
        Publish();
        return t;
    }

    void RemoveAll()
    {
        std::vector<TYPE>().swap(m_items);
        Publish();
    }

private:
    void Publish() { m_nCount.store(int(m_items.size()), std::memory_order_relaxed); }

    int m_nBlockSize;
    std::vector<TYPE> m_items;
    std::atomic<int> m_nCount{0};
};
