#include "midi/midi_callback.h"

#include "midi/port_notifier.h"
#include "midi/sysex_pool.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::uint32_t TimingClock = 0xF8;
constexpr std::uint32_t ActiveSensing = 0xFE;
} // namespace

void TMidiCallbackRecord::ShortMessage(std::uint32_t packed, std::uint32_t timeStamp) {
    // Only the bare one-byte messages: 0xF1, the time-code quarter frame, is queued.
    if (packed == TimingClock && ClockFilter.load(std::memory_order_relaxed))
        return;
    if (packed == ActiveSensing && SensingFilter.load(std::memory_order_relaxed))
        return;
    if (SysexOnly.load(std::memory_order_relaxed) || !ring_)
        return;
    queue({timeStamp, packed, nullptr});
}

void TMidiCallbackRecord::LongMessage(const std::uint8_t* bytes, std::size_t count,
                                      std::uint32_t timeStamp) {
    if (!ring_ || !pool_)
        return;
    std::size_t offset = 0;
    do {
        TMyMidiHdr* buffer = pool_->Take();
        if (!buffer) {
            target_.Post(PortNotifier::QueueFull);
            return;
        }
        const std::size_t part = std::min<std::size_t>(count - offset, buffer->BufferLength);
        if (part > 0)
            std::memcpy(buffer->Data.get(), bytes + offset, part);
        buffer->BytesRecorded = std::uint16_t(part);
        offset += part;
        if (!queue({timeStamp, 0, buffer})) {
            pool_->Reclaim(buffer);
            return;
        }
    } while (offset < count);
}

void TMidiCallbackRecord::LongDone(TMyMidiHdr& header) {
    header.Done.store(true, std::memory_order_release);
    target_.Post(PortNotifier::OutputDone);
}

bool TMidiCallbackRecord::queue(const TMidiBufferItem& item) {
    const bool queued = CircbufPutEvent(ring_, item);
    target_.Post(queued ? PortNotifier::DataQueued : PortNotifier::QueueFull);
    return queued;
}
