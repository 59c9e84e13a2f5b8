#include "midi/input_delivery.h"

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
    starts_.fetch_add(1, std::memory_order_relaxed);
    started_.store(true, std::memory_order_release);
    return MidiOk;
}

MidiResult InputDelivery::Stop() {
    started_.store(false, std::memory_order_release);
    return MidiOk;
}

void InputDelivery::ReportMissedCycles(std::uint32_t cycles) {
    if (started_.load(std::memory_order_acquire))
        sink_.CyclesMissed(cycles);
}

void InputDelivery::Deliver(const std::uint8_t* bytes, std::size_t count) {
    if (!started_.load(std::memory_order_acquire))
        return;
    const std::uint32_t starts = starts_.load(std::memory_order_relaxed);
    if (starts != startsSeen_) {
        startsSeen_ = starts;
        parser_.Reset(sink_);
    }
    const auto stamp =
        std::uint32_t((nowNs() - startNs_.load(std::memory_order_relaxed)) / 1000000);
    if (count == 0) {
        parser_.Reset(sink_);
        sink_.LongEnd(stamp);
        return;
    }
    parser_.Feed(bytes, count, stamp, sink_);
}
