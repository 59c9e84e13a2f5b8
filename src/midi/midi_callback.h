#pragma once

#include "midi/circular_buffer.h"
#include "midi/midi_service.h"

#include <atomic>

class PortNotifier;
class SysexPool;

// The record through which the MIDI service's thread reaches a port: the driver callback. It drops
// the timing clock (0xF8) and active sensing (0xFE), which no part of the program reads, fills
// SysEx buffers from the pool, writes one entry per event into the ring and posts one notification
// per event. It takes no lock, allocates nothing and calls nothing of the Qt thread's.
class TMidiCallbackRecord final : public MidiInputSink, public MidiOutputSink {
public:
    explicit TMidiCallbackRecord(PortNotifier& target) : target_(target) {}

    // Qt thread, only while the service is not delivering (before the input is opened, after it is
    // closed). Forgets any drops not yet taken.
    void AttachInput(TCircularBuffer* ring, SysexPool* pool);
    // Qt thread: the events dropped since the last call, because the queue was full or no SysEx
    // buffer was free. Counted here rather than by notifications, which a full pipe can lose.
    std::uint32_t TakeDropped() { return dropped_.exchange(0, std::memory_order_acq_rel); }
    // Qt thread: the service's cycles that ran without the input since the last call.
    std::uint32_t TakeMissedCycles() { return missed_.exchange(0, std::memory_order_acq_rel); }

    // Written on the Qt thread at any time; read once per message.
    std::atomic<bool> SysexOnly{false};

    void ShortMessage(std::uint32_t packed, std::uint32_t timeStamp) override;
    // A message longer than one buffer becomes consecutive events, one per filled buffer. With no
    // free buffer, or once one part could not be queued, the rest of the message is dropped so that
    // no event starts in the middle of it.
    void LongData(const std::uint8_t* bytes, std::size_t count, std::uint32_t timeStamp) override;
    void LongEnd(std::uint32_t timeStamp) override;
    void LongAbort() override;
    void CyclesMissed(std::uint32_t cycles) override;
    void LongDone(TMyMidiHdr& header) override;

private:
    bool queue(const TMidiBufferItem& item);
    // Queues the buffer being filled; false (and the rest of the message dropped) when it cannot.
    bool queueOpenBuffer(std::uint32_t timeStamp);
    void dropRestOfMessage();
    void countDrop();

    PortNotifier& target_;
    TCircularBuffer* ring_ = nullptr;
    SysexPool* pool_ = nullptr;
    // The service thread's: the buffer the current long message is being written into, and whether
    // the rest of that message is being dropped.
    TMyMidiHdr* open_ = nullptr;
    bool dropping_ = false;
    std::atomic<std::uint32_t> dropped_{0};
    std::atomic<std::uint32_t> missed_{0};
};
