#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

// One event taken from an input port: a short message, or the bytes of one SysEx buffer. Whoever
// takes it owns it; the bytes go with it.
struct TMyMidiEvent {
    std::uint8_t StatusByte = 0; // 0xF0 for every SysEx event
    std::uint8_t DataByte1 = 0;
    std::uint8_t DataByte2 = 0;
    std::uint32_t TimeStamp = 0; // milliseconds since the input was started
    std::uint16_t SysexSize = 0;
    std::unique_ptr<std::uint8_t[]> SysexBytes; // null for a short message and for an empty SysEx
};

// One SysEx buffer. Input buffers circulate between the port's pool, the MIDI service (which fills
// them) and the queue; output buffers carry one long message until the service reports it sent.
// The data block is zero-filled and stays at its address for the buffer's life.
struct TMyMidiHdr {
    explicit TMyMidiHdr(std::uint16_t size)
        : Data(size ? std::make_unique<std::uint8_t[]>(size) : nullptr), BufferLength(size) {}

    std::unique_ptr<std::uint8_t[]> Data;
    const std::uint16_t BufferLength;
    std::uint16_t BytesRecorded = 0;
    // Set by the service's thread when an output buffer has gone out; read on the Qt thread.
    std::atomic<bool> Done{false};
};
