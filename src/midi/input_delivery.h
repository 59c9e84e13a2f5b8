#pragma once

#include "midi/midi_service.h"

#include <atomic>
#include <cstdint>

// An open input as every service has it: it passes the bytes a device sends to the port's sink
// between Start and Stop, stamped with the milliseconds since Start. One to three bytes make a
// short message; a SysEx, anything longer, or no bytes at all (an empty SysEx buffer) go on as a
// long message. Start and Stop run on the Qt thread, Deliver on the service's.
class InputDelivery : public ServiceInput {
public:
    explicit InputDelivery(MidiInputSink& sink) : sink_(sink) {}

    MidiResult Start() override;
    MidiResult Stop() override;
    void Deliver(const std::uint8_t* bytes, std::size_t count);

private:
    MidiInputSink& sink_;
    std::atomic<bool> started_{false};
    std::atomic<std::int64_t> startNs_{0};
};
