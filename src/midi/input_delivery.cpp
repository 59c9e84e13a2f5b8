#include "midi/input_delivery.h"

#include <algorithm>
#include <chrono>

namespace {
std::int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
} // namespace

MidiResult InputDelivery::Start() {
    startNs_.store(nowNs(), std::memory_order_relaxed);
    started_.store(true, std::memory_order_release);
    return MidiOk;
}

MidiResult InputDelivery::Stop() {
    started_.store(false, std::memory_order_release);
    return MidiOk;
}

void InputDelivery::Deliver(const std::uint8_t* bytes, std::size_t count) {
    if (!started_.load(std::memory_order_acquire))
        return;
    const auto stamp =
        std::uint32_t((nowNs() - startNs_.load(std::memory_order_relaxed)) / 1000000);
    if (count == 0 || count > 3 || bytes[0] == 0xF0) {
        sink_.LongMessage(bytes, count, stamp);
        return;
    }
    std::uint8_t packed[3] = {};
    std::copy(bytes, bytes + count, packed);
    sink_.ShortMessage(PackShort(packed[0], packed[1], packed[2]), stamp);
}
