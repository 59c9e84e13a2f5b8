#pragma once

#include "midi/spsc_ring.h"

#include <cstdint>
#include <memory>

struct TMyMidiHdr;

// One queued input event: a packed short message (status in bits 0-7, data bytes in 8-15 and
// 16-23), or a filled SysEx buffer.
struct TMidiBufferItem {
    std::uint32_t TimeStamp = 0;
    std::uint32_t ShortMessage = 0;    // 0 for a SysEx entry
    TMyMidiHdr* SysexHeader = nullptr; // null for a short message
};

// The input queue between the MIDI service's thread (the only writer) and the Qt thread.
using TCircularBuffer = SpscRing<TMidiBufferItem>;

// Null when the memory cannot be had; everything the callback touches is allocated here, never
// in the callback.
TCircularBuffer* CircbufAlloc(std::uint16_t capacity);
void CircbufFree(TCircularBuffer* ring);

// Service thread. False when the ring is full.
bool CircbufPutEvent(TCircularBuffer* ring, const TMidiBufferItem& item);
// Qt thread. False when nothing is queued.
bool CircbufReadEvent(const TCircularBuffer* ring, TMidiBufferItem& item);
bool CircbufRemoveEvent(TCircularBuffer* ring);

struct CircbufDeleter {
    void operator()(TCircularBuffer* ring) const { CircbufFree(ring); }
};
using CircbufPtr = std::unique_ptr<TCircularBuffer, CircbufDeleter>;
