#pragma once

#include "midi/spsc_ring.h"

#include <cstdint>

struct TMyMidiHdr;

// One queued input event: a packed short message (status in bits 0-7, data bytes in 8-15 and
// 16-23), or a filled SysEx buffer.
struct TMidiBufferItem {
    std::uint32_t TimeStamp = 0;
    std::uint32_t ShortMessage = 0;    // 0 for a SysEx entry
    TMyMidiHdr* SysexHeader = nullptr; // null for a short message
};

// The input queue between the MIDI service's thread (the only writer) and the Qt thread. Made
// whole when the port opens, so that the callback never allocates.
using TCircularBuffer = SpscRing<TMidiBufferItem>;
