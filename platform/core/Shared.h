// Words that two threads read and write without a lock and without ordering
// against other data, as the framework's plain 32-bit words were used: each
// read and write is whole (relaxed atomics), so there is no data race, but a
// reader may see a neighbouring value. They read and assign like plain values.
#pragma once

#include <atomic>
#include <cstdint>

template <class T>
class CRelaxed {
public:
    CRelaxed(T value = T()) : m_value(value) {}
    CRelaxed(const CRelaxed& o) : m_value(T(o)) {}

    operator T() const { return m_value.load(std::memory_order_relaxed); }
    CRelaxed& operator=(T value)
    {
        m_value.store(value, std::memory_order_relaxed);
        return *this;
    }
    CRelaxed& operator=(const CRelaxed& o) { return *this = T(o); }
    // Read-modify-write as two steps: each thread that writes a word here
    // owns its updates, and a mixed neighbouring value is acceptable.
    CRelaxed& operator+=(T d) { return *this = T(*this) + d; }
    CRelaxed& operator-=(T d) { return *this = T(*this) - d; }
    T operator-() const { return -T(*this); }

private:
    std::atomic<T> m_value;
};

// A point that two threads read and write as one word: a reader always gets
// both coordinates of one write, never x of one and y of another. Changing
// one coordinate is a compare-and-swap of the whole word, so a thread that
// moves y never writes back an x that another thread has replaced meanwhile.
class CRelaxedPoint {
public:
    CRelaxedPoint(int x = 0, int y = 0) : m_word(Pack(x, y)) {}
    CRelaxedPoint(const CRelaxedPoint&) = delete;

    int GetX() const { return X(m_word.load(std::memory_order_relaxed)); }
    int GetY() const { return Y(m_word.load(std::memory_order_relaxed)); }
    // Both coordinates of one write.
    void Get(int* px, int* py) const
    {
        const uint64_t word = m_word.load(std::memory_order_relaxed);
        *px = X(word);
        *py = Y(word);
    }
    void Set(int x, int y) { m_word.store(Pack(x, y), std::memory_order_relaxed); }
    void SetX(int x) { Update([x](int& nx, int&) { nx = x; }); }
    void SetY(int y) { Update([y](int&, int& ny) { ny = y; }); }
    void Offset(int dx, int dy)
    {
        Update([dx, dy](int& x, int& y) {
            x += dx;
            y += dy;
        });
    }

private:
    template <class F>
    void Update(F change)
    {
        uint64_t old = m_word.load(std::memory_order_relaxed);
        for (;;) {
            int x = X(old), y = Y(old);
            change(x, y);
            if (m_word.compare_exchange_weak(old, Pack(x, y), std::memory_order_relaxed))
                return;
        }
    }
    static uint64_t Pack(int x, int y) { return (uint64_t(uint32_t(x)) << 32) | uint32_t(y); }
    static int X(uint64_t word) { return int(uint32_t(word >> 32)); }
    static int Y(uint64_t word) { return int(uint32_t(word)); }

    std::atomic<uint64_t> m_word;
};

// An int flag that also counts its writes. A thread that must not undo a
// write it has not seen (the game thread ending a run while the user starts a
// new one) notes the version, and later writes only if nothing was written
// since: see StoreIfUnchanged.
class CSharedFlag {
public:
    CSharedFlag(int value = 0) : m_word(Pack(value, 0)) {}
    CSharedFlag(const CSharedFlag&) = delete;

    operator int() const { return Value(m_word.load(std::memory_order_relaxed)); }
    CSharedFlag& operator=(int value)
    {
        uint64_t old = m_word.load(std::memory_order_relaxed);
        while (!m_word.compare_exchange_weak(old, Pack(value, Version(old) + 1), std::memory_order_relaxed))
            ;
        return *this;
    }

    uint32_t GetVersion() const { return Version(m_word.load(std::memory_order_relaxed)); }

    // Writes value only if no write happened since version was read; TRUE if written.
    int StoreIfUnchanged(int value, uint32_t version)
    {
        uint64_t old = m_word.load(std::memory_order_relaxed);
        while (Version(old) == version) {
            if (m_word.compare_exchange_weak(old, Pack(value, version + 1), std::memory_order_relaxed))
                return 1;
        }
        return 0;
    }

private:
    static uint64_t Pack(int value, uint32_t version) { return (uint64_t(version) << 32) | uint32_t(value); }
    static int Value(uint64_t word) { return int(uint32_t(word)); }
    static uint32_t Version(uint64_t word) { return uint32_t(word >> 32); }

    std::atomic<uint64_t> m_word;
};
