#pragma once

#include "midi/jack_client.h"
#include "midi/midi_service.h"

#include <atomic>
#include <jack/ringbuffer.h>
#include <memory>

class DeviceWatch;

// An output device on JACK: a port of ours connected to the device's port. Sends run on the Qt
// thread and never wait: they copy the message into a lock-free ring, which the process callback
// empties into the port's buffer cycle by cycle. A full ring, a server that has gone and a device
// that has gone are errors at once.
class JackOutput final : public ServiceOutput, private JackCycleUser {
public:
    JackOutput(std::shared_ptr<JackClient> client, MidiOutputSink& sink, DeviceWatch& watch);
    // What is still in the ring goes out first while the server runs, for at most a second.
    ~JackOutput() override;

    // Makes the port and its ring, attaches it to the process callback, connects it to the
    // device's port and has the device watched.
    MidiResult Open(const QString& device);

    MidiResult SendShort(std::uint32_t packed) override;
    // Reported done at once: the bytes are in the ring.
    MidiResult SendLong(TMyMidiHdr& header) override;

private:
    MidiResult send(const std::uint8_t* bytes, std::size_t count);
    void Process(jack_nframes_t frames, jack_nframes_t cycleStart) override;

    const std::shared_ptr<JackClient> client_;
    jack_port_t* port_ = nullptr;
    MidiOutputSink& sink_;
    DeviceWatch& watch_;
    std::atomic<bool> deviceGone_{false};
    // Each message as its length (4 bytes) and then its bytes. Qt thread writes, process thread
    // reads.
    jack_ringbuffer_t* ring_ = nullptr;
    // The process thread's: bytes of the message being written out that are still in the ring,
    // and whether it goes out in parts because it is larger than a whole cycle's buffer.
    std::size_t pending_ = 0;
    bool inParts_ = false;
};
