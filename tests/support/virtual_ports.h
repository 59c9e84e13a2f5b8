#pragma once

#include "midi/midi_ports.h"
#include "midi/virtual_midi_service.h"
#include "support/midi_wait.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// The bytes an event carries: its SysEx bytes, or its three short-message bytes.
inline Bytes bytesOf(const TMyMidiEvent& event) {
    if (event.SysexBytes)
        return Bytes(event.SysexBytes.get(), event.SysexBytes.get() + event.SysexSize);
    return {event.StatusByte, event.DataByte1, event.DataByte2};
}

inline std::vector<std::unique_ptr<TMyMidiEvent>> drain(TMidiInput& input) {
    std::vector<std::unique_ptr<TMyMidiEvent>> events;
    while (input.GetEventCount() > 0)
        events.push_back(input.GetMidiEvent());
    return events;
}

// Three devices on the in-process service: a synth and a controller that both send and receive,
// and a keyboard that only sends.
struct VirtualPorts : testing::Test {
    // Before the ports, which select a device when they are made.
    static bool addDevices(VirtualMidiService& service) {
        service.AddDevice(QStringLiteral("Synth"));
        service.AddDevice(QStringLiteral("Controller"));
        service.AddDevice(QStringLiteral("Keyboard"), VirtualMidiService::SendsToComputer);
        return true;
    }

    // An input on the synth, open and started.
    TMidiInput& synthIn() {
        if (input.PortState() != misOpen) {
            input.SetProductName(QStringLiteral("Synth"));
            input.OpenAndStart();
        }
        return input;
    }
    // An input on the synth that holds less than the editor's, open and started.
    TMidiInput& smallSynthIn(TMidiInputSizes sizes) {
        small.emplace(service, sizes);
        small->SetProductName(QStringLiteral("Synth"));
        small->OpenAndStart();
        return *small;
    }
    TMidiOutput& synthOut() {
        if (output.PortState() != mosOpen) {
            output.SetProductName(QStringLiteral("Synth"));
            EXPECT_TRUE(output.Open());
        }
        return output;
    }
    void send(const Bytes& bytes) { ASSERT_TRUE(service.Inject(QStringLiteral("Synth"), bytes)); }
    std::vector<Bytes> sentToSynth() const { return service.Received(QStringLiteral("Synth")); }

    VirtualMidiService service;
    const bool devicesAdded = addDevices(service);
    TMidiInput input{service};
    TMidiOutput output{service};
    std::optional<TMidiInput> small;
};
