#pragma once

#include "midi/midi_service.h"

#include <cstddef>
#include <cstdint>

// The MIDI framing rules for what a device sends, whatever the service: the bytes arrive in chunks
// (a JACK event, or one whole message from the other services) and leave as messages for a port's
// sink. Runs on the service's thread; it keeps its state from one chunk to the next, takes no lock
// and allocates nothing.
// - A SysEx runs from F0 to F7 and may be spread over several chunks; its bytes go on as they come.
// - Any status byte other than a real-time one ends an open SysEx: the unfinished part is dropped
//   and the new message is handled normally.
// - Real-time bytes (F8-FF) go on at once as messages of their own, also from inside a SysEx or
//   another message.
// - Data bytes with no status before them in their chunk are dropped; after a complete channel
//   message they repeat its status (running status) up to the end of the chunk.
// - A message that another status byte or the end of its chunk cuts short is dropped, so that a
//   truncated note-on never becomes a note-off.
// - The undefined system bytes are dropped: F4 and F5 (with the data bytes after them) end what
//   any other status byte ends, F9 and FD interrupt nothing, as real-time bytes.
class MidiStreamParser {
public:
    void Feed(const std::uint8_t* bytes, std::size_t count, std::uint32_t timeStamp,
              MidiInputSink& sink);
    // Forgets everything begun; an open SysEx is dropped.
    void Reset(MidiInputSink& sink);

private:
    void begin(std::uint8_t status, std::uint32_t timeStamp, MidiInputSink& sink);
    void data(std::uint8_t byte, std::uint32_t timeStamp, MidiInputSink& sink);
    void complete(std::uint32_t timeStamp, MidiInputSink& sink);

    bool inSysex_ = false;
    std::uint8_t message_[3] = {};
    int have_ = 0;                   // bytes of message_ so far
    int need_ = 0;                   // bytes message_ needs; 0 while no short message is begun
    std::uint8_t runningStatus_ = 0; // within the current chunk only
};
