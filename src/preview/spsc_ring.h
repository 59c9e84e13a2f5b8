#pragma once

#include <array>
#include <atomic>
#include <cstddef>

// A fixed ring from one thread that puts to one thread that takes: no lock, no allocation. The
// taker sees each entry whole, in order, because the index that publishes it is stored with
// release ordering after the entry and loaded with acquire ordering before it is read.
template <class T, std::size_t Capacity> class SpscRing {
    static_assert((Capacity & (Capacity - 1)) == 0, "a power of two");

public:
    // False, with nothing stored, when the ring is full.
    bool Put(const T& entry) {
        const std::size_t tail = tail_.load(std::memory_order_relaxed);
        if (tail - head_.load(std::memory_order_acquire) == Capacity)
            return false;
        entries_[tail & (Capacity - 1)] = entry;
        tail_.store(tail + 1, std::memory_order_release);
        return true;
    }
    bool Take(T& entry) {
        const std::size_t head = head_.load(std::memory_order_relaxed);
        if (head == tail_.load(std::memory_order_acquire))
            return false;
        entry = entries_[head & (Capacity - 1)];
        head_.store(head + 1, std::memory_order_release);
        return true;
    }

private:
    std::array<T, Capacity> entries_{};
    alignas(64) std::atomic<std::size_t> head_{0};
    alignas(64) std::atomic<std::size_t> tail_{0};
};
