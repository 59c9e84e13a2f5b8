#pragma once

#include "midi/input_delivery.h"
#include "midi/jack_client.h"

#include <memory>

// An input device on JACK: a port of ours connected from the device's port. The process callback
// hands every event of the cycle to the delivery as it came, so that a SysEx that JACK carries in
// several events is joined again.
class JackInput final : public InputDelivery, private JackCycleUser {
public:
    JackInput(std::shared_ptr<JackClient> client, MidiInputSink& sink);
    ~JackInput() override;

    // Makes the port, attaches it to the process callback and connects the device's port to it.
    MidiResult Open(const QString& device);

private:
    void Process(jack_nframes_t frames, jack_nframes_t cycleStart) override;

    const std::shared_ptr<JackClient> client_;
    jack_port_t* port_ = nullptr;
    // The process thread's: where the last cycle that served this input began.
    bool served_ = false;
    jack_nframes_t lastCycleStart_ = 0;
    bool lastHadEvents_ = false;
};
