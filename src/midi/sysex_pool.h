#pragma once

#include "midi/midi_event.h"
#include "midi/spsc_ring.h"

#include <cstdint>
#include <memory>
#include <vector>

// The fixed set of SysEx buffers of an open input. The Qt thread hands buffers in (all of them at
// Open, then each one as soon as its event has been copied out); the MIDI service's thread takes
// them to fill. A buffer is never reused before its event has been taken.
class SysexPool {
public:
    // Qt thread, before the service can take: count buffers of size bytes each (none when either
    // is 0). Throws std::bad_alloc and then holds nothing.
    void Allocate(std::uint16_t count, std::uint16_t size);
    // Qt thread, once the service has stopped calling.
    void Release();

    // Service thread: a free buffer, or null when all are in use.
    TMyMidiHdr* Take();
    // Service thread: a buffer it took and could not queue, or whose message was cut short, goes
    // straight back into use, empty.
    void Reclaim(TMyMidiHdr* buffer);
    // Qt thread: a buffer whose event has been taken.
    void GiveBack(TMyMidiHdr* buffer);

private:
    std::vector<std::unique_ptr<TMyMidiHdr>> buffers_;
    std::unique_ptr<SpscRing<TMyMidiHdr*>> free_;
    // The service thread's own: Reclaim must not write into free_, whose only producer is the
    // Qt thread. Reserved at Allocate so that it never grows.
    std::vector<TMyMidiHdr*> reclaimed_;
};
