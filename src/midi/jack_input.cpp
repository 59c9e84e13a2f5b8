#include "midi/jack_input.h"

#include <jack/midiport.h>

JackInput::JackInput(std::shared_ptr<JackClient> client, MidiInputSink& sink)
    : InputDelivery(sink), client_(std::move(client)) {}

JackInput::~JackInput() {
    client_->Detach(*this);
    if (port_)
        client_->UnregisterPort(port_);
}

MidiResult JackInput::Open(const QString& device) {
    port_ = client_->RegisterPort(JackPortIsInput);
    if (!port_)
        return MidiFailed;
    if (!client_->Attach(*this))
        return MidiNoMemory;
    return client_->Connect(device, QString::fromUtf8(jack_port_name(port_))) ? MidiOk
                                                                              : MidiNoDevice;
}

void JackInput::Process(jack_nframes_t frames, jack_nframes_t cycleStart) {
    void* buffer = jack_port_get_buffer(port_, frames);
    const jack_nframes_t count = jack_midi_get_event_count(buffer);
    // A cycle the server ran without us (we were late) took the device's events with it. Only gaps
    // in a stream of events are said: a late program loses nothing while the device is silent.
    if (served_ && frames > 0) {
        const jack_nframes_t periods = (cycleStart - lastCycleStart_) / frames;
        if (periods > 1 && (lastHadEvents_ || count > 0))
            ReportMissedCycles(periods - 1);
    }
    served_ = true;
    lastCycleStart_ = cycleStart;
    lastHadEvents_ = count > 0;
    for (jack_nframes_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, buffer, i) == 0)
            Deliver(event.buffer, event.size);
    }
}
