#pragma once

#include "midi/midi_service.h"

#include <atomic>
#include <cstdint>

// What every service does with the bytes a device sends: passes them to the port's sink between
// Start and Stop, stamped with the milliseconds since Start. One to three bytes make a short
// message; a SysEx, anything longer, or no bytes at all (an empty SysEx buffer) go on as a long
// message. Start and Stop run on the Qt thread, Deliver on the service's.
class InputDelivery {
public:
    explicit InputDelivery(MidiInputSink& sink) : sink_(sink) {}

    void Start();
    void Stop();
    void Deliver(const std::uint8_t* bytes, std::size_t count);

private:
    MidiInputSink& sink_;
    std::atomic<bool> started_{false};
    std::atomic<std::int64_t> startNs_{0};
};
