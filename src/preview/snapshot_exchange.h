#pragma once

#include <array>
#include <atomic>

// Hands the newest of a series of values from one thread that publishes to one thread that
// reads, without a lock or an allocation: three slots, one the writer fills, one the reader
// holds, and one between them that they swap with. A value published twice before the reader
// looks is read once, as the newest.
template <class T> class SnapshotExchange {
public:
    void Publish(const T& value) {
        slots_[std::size_t(back_)] = value;
        back_ = middle_.exchange(back_ | Fresh, std::memory_order_acq_rel) & Slot;
    }
    // The newest value when one has come since the last call, else null. It stays valid until the
    // next call.
    const T* TakeNewest() {
        if (!(middle_.load(std::memory_order_acquire) & Fresh))
            return nullptr;
        front_ = middle_.exchange(front_, std::memory_order_acq_rel) & Slot;
        return &slots_[std::size_t(front_)];
    }

private:
    static constexpr int Fresh = 4;
    static constexpr int Slot = 3;

    std::array<T, 3> slots_{};
    int back_ = 0;  // the writer's
    int front_ = 1; // the reader's
    std::atomic<int> middle_{2};
};
