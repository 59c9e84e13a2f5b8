#pragma once

#include "midi/midi_backend.h"
#include "midi/midi_service.h"

#include <RtMidi.h>
#include <memory>
#include <string>

// Collects what RtMidi reports through its error callback. With a callback set RtMidi raises
// nothing and prints nothing, so every call is followed by a look here.
struct RtMidiErrors {
    static void Record(RtMidiError::Type type, const std::string& text, void* errors);

    // The last error since Clear, warnings included, as one of our result codes.
    MidiResult Result() const;
    void Clear() { failed = false; }

    bool failed = false;
    RtMidiError::Type type = RtMidiError::UNSPECIFIED;
    std::string text;
};

RtMidi::Api RtMidiApiOf(MidiBackend backend);

// A new RtMidiIn or RtMidiOut reporting into errors; null when RtMidi cannot make one.
template <class Port>
std::unique_ptr<Port> MakeRtMidi(MidiBackend backend, const std::string& clientName,
                                 RtMidiErrors& errors) {
    try {
        auto port = std::make_unique<Port>(RtMidiApiOf(backend), clientName);
        port->setErrorCallback(&RtMidiErrors::Record, &errors);
        return port;
    } catch (const RtMidiError& error) {
        RtMidiErrors::Record(error.getType(), error.getMessage(), &errors);
        return nullptr;
    }
}
