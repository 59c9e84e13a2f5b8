#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

// A fixed ring shared by exactly one producer thread and one consumer thread, neither of which
// ever blocks or allocates.
//
// Why it is safe: each side owns its own position, so the count is the only field both change.
// The producer writes the slot and then raises the count with release ordering; the consumer
// reads the count with acquire ordering before it touches the slot, so it never sees a half-written
// entry. Symmetrically the consumer lowers the count (release) only after it has finished with the
// slot, and the producer reads the count (acquire) before reusing it. The count changes by
// read-modify-write, so one side's update can never undo the other's.
template <typename T> class SpscRing {
public:
    explicit SpscRing(std::uint16_t capacity) : items_(capacity) {}

    std::uint16_t Capacity() const { return std::uint16_t(items_.size()); }
    std::uint16_t Count() const { return count_.load(std::memory_order_acquire); }

    // Producer only. False when the ring is full; the item is not stored.
    bool Put(const T& item) {
        if (count_.load(std::memory_order_acquire) >= items_.size())
            return false;
        items_[write_] = item;
        write_ = next(write_);
        count_.fetch_add(1, std::memory_order_release);
        return true;
    }

    // Consumer only: copies the oldest item and leaves it queued.
    bool Read(T& item) const {
        if (count_.load(std::memory_order_acquire) == 0)
            return false;
        item = items_[read_];
        return true;
    }

    // Consumer only: drops the oldest item.
    bool Remove() {
        if (count_.load(std::memory_order_acquire) == 0)
            return false;
        read_ = next(read_);
        count_.fetch_sub(1, std::memory_order_release);
        return true;
    }

private:
    std::size_t next(std::size_t position) const {
        return position + 1 == items_.size() ? 0 : position + 1;
    }

    std::vector<T> items_;
    std::size_t write_ = 0; // producer's
    std::size_t read_ = 0;  // consumer's
    std::atomic<std::uint16_t> count_{0};
};
