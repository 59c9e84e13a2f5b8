#pragma once

#include "bench_peer.h"
#include "midi/midi_ports.h"

#include <QThread>
#include <array>

// Our input from the peer's "ctrl-out" and our output to its "synth-in", on a Service.
template <class Service> struct PeerPorts {
    template <class... Arguments>
    explicit PeerPorts(Arguments... arguments) : service(arguments...) {}

    // False, with the benchmark skipped, when there is no server or the output does not open.
    bool Open(benchmark::State& state) {
        if (!PeerRunning(peer, state))
            return false;
        input.SetProductName(peer.Port("ctrl-out"));
        input.OpenAndStart();
        output.SetProductName(peer.Port("synth-in"));
        if (!output.Open()) {
            state.SkipWithError("cannot open the peer's input");
            return false;
        }
        QThread::msleep(500); // new connections carry data only after a moment
        return true;
    }

    BenchPeer peer{"bench-peer"};
    Service service;
    TMidiInput input{service};
    TMidiOutput output{service};
};

// The parameter change that answers a controller change, as the editor's does: it carries the
// change's number and value.
inline std::array<std::uint8_t, 7> AnswerTo(const TMyMidiEvent& change) {
    return {0xF0, 0x43, 0x10, 0x12, change.DataByte1, change.DataByte2, 0xF7};
}
