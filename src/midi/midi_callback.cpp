#include "midi/midi_callback.h"

#include "midi/port_notifier.h"
#include "midi/sysex_pool.h"
#include "model/domain.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::uint32_t TimingClock = MidiStatus::TimingClock;
constexpr std::uint32_t ActiveSensing = MidiStatus::ActiveSensing;
} // namespace

void TMidiCallbackRecord::AttachInput(TCircularBuffer* ring, SysexPool* pool) {
    ring_ = ring;
    pool_ = pool;
    open_ = nullptr;
    dropping_ = false;
    dropped_.store(0, std::memory_order_relaxed);
    missed_.store(0, std::memory_order_relaxed);
}

void TMidiCallbackRecord::ShortMessage(std::uint32_t packed, std::uint32_t timeStamp) {
    // Only the bare one-byte messages: 0xF1, the time-code quarter frame, is queued.
    if (packed == TimingClock || packed == ActiveSensing)
        return;
    if (SysexOnly.load(std::memory_order_relaxed) || !ring_)
        return;
    if (!queue({timeStamp, packed, nullptr}))
        countDrop();
}

void TMidiCallbackRecord::LongData(const std::uint8_t* bytes, std::size_t count,
                                   std::uint32_t timeStamp) {
    if (!ring_ || !pool_ || dropping_)
        return;
    while (count > 0) {
        // A full buffer is queued only once more bytes come, so that the last one of a message
        // always goes out with LongEnd.
        if (open_ && open_->BytesRecorded == open_->BufferLength && !queueOpenBuffer(timeStamp))
            return;
        if (!open_ && !(open_ = pool_->Take())) {
            dropRestOfMessage();
            return;
        }
        const std::size_t part =
            std::min<std::size_t>(count, open_->BufferLength - open_->BytesRecorded);
        std::memcpy(open_->Data.get() + open_->BytesRecorded, bytes, part);
        open_->BytesRecorded = std::uint16_t(open_->BytesRecorded + part);
        bytes += part;
        count -= part;
    }
}

void TMidiCallbackRecord::LongEnd(std::uint32_t timeStamp) {
    if (!ring_ || !pool_)
        return;
    if (dropping_) {
        dropping_ = false;
        return;
    }
    if (!open_ && !(open_ = pool_->Take())) {
        countDrop();
        return;
    }
    queueOpenBuffer(timeStamp);
    dropping_ = false;
}

void TMidiCallbackRecord::LongAbort() {
    if (open_)
        pool_->Reclaim(open_);
    open_ = nullptr;
    dropping_ = false;
}

void TMidiCallbackRecord::LongDone(TMyMidiHdr& header) {
    header.Done.store(true, std::memory_order_release);
    target_.Post(PortNotifier::OutputDone);
}

bool TMidiCallbackRecord::queue(const TMidiBufferItem& item) {
    const bool queued = ring_->Put(item);
    if (queued)
        target_.Post(PortNotifier::DataQueued);
    return queued;
}

bool TMidiCallbackRecord::queueOpenBuffer(std::uint32_t timeStamp) {
    TMyMidiHdr* buffer = open_;
    open_ = nullptr;
    if (queue({timeStamp, 0, buffer}))
        return true;
    pool_->Reclaim(buffer);
    dropRestOfMessage();
    return false;
}

void TMidiCallbackRecord::dropRestOfMessage() {
    dropping_ = true;
    countDrop();
}

void TMidiCallbackRecord::CyclesMissed(std::uint32_t cycles) {
    missed_.fetch_add(cycles, std::memory_order_acq_rel);
    target_.Post(PortNotifier::QueueFull);
}

void TMidiCallbackRecord::countDrop() {
    dropped_.fetch_add(1, std::memory_order_acq_rel);
    target_.Post(PortNotifier::QueueFull);
}
