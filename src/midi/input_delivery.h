#pragma once

#include "midi/midi_service.h"
#include "midi/midi_stream_parser.h"

#include <atomic>
#include <cstdint>

// An open input as every service has it: between Start and Stop it frames the bytes a device sends
// into messages (MidiStreamParser) for the port's sink, stamped with the milliseconds since Start.
// No bytes at all stand for an empty SysEx buffer. Start and Stop run on the Qt thread, Deliver on
// the service's.
class InputDelivery : public ServiceInput {
public:
    explicit InputDelivery(MidiInputSink& sink) : sink_(sink) {}

    MidiResult Start() override;
    MidiResult Stop() override;
    // One chunk as the service has it: a JACK event, or one whole message of the other services.
    void Deliver(const std::uint8_t* bytes, std::size_t count);
    // The service ran cycles without this input while it was started.
    void ReportMissedCycles(std::uint32_t cycles);

private:
    MidiInputSink& sink_;
    MidiStreamParser parser_; // the service thread's
    std::atomic<bool> started_{false};
    std::atomic<std::int64_t> startNs_{0};
    // A SysEx begun before a Stop must not go on after the next Start.
    std::atomic<std::uint32_t> starts_{0};
    std::uint32_t startsSeen_ = 0; // the service thread's
};
