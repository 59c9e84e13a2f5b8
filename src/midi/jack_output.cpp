#include "midi/jack_output.h"

#include "midi/device_watch.h"
#include "midi/midi_event.h"

#include <chrono>
#include <jack/midiport.h>
#include <thread>

namespace {

// A second of the densest traffic the editor makes (a whole voice is under 200 bytes), and room
// for the longest message a port sends (65 535 bytes).
constexpr std::size_t RingSize = 128 * 1024;
using Length = std::uint32_t;

} // namespace

JackOutput::JackOutput(std::shared_ptr<JackClient> client, MidiOutputSink& sink, DeviceWatch& watch)
    : client_(std::move(client)), sink_(sink), watch_(watch) {}

JackOutput::~JackOutput() {
    watch_.Forget(deviceGone_);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (ring_ && jack_ringbuffer_read_space(ring_) > 0 && !client_->Gone() &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    client_->Detach(*this);
    if (port_)
        client_->UnregisterPort(port_);
    if (ring_)
        jack_ringbuffer_free(ring_);
}

MidiResult JackOutput::Open(const QString& device) {
    ring_ = jack_ringbuffer_create(RingSize);
    if (!ring_)
        return MidiNoMemory;
    port_ = client_->RegisterPort(JackPortIsOutput);
    if (!port_)
        return MidiFailed;
    if (!client_->Attach(*this))
        return MidiNoMemory;
    if (!client_->Connect(QString::fromUtf8(jack_port_name(port_)), device))
        return MidiNoDevice;
    watch_.Watch(device, deviceGone_);
    return MidiOk;
}

MidiResult JackOutput::SendShort(std::uint32_t packed) {
    const std::uint8_t bytes[3] = {std::uint8_t(packed), std::uint8_t(packed >> 8),
                                   std::uint8_t(packed >> 16)};
    return send(bytes, std::size_t(ShortMessageLength(bytes[0])));
}

MidiResult JackOutput::SendLong(TMyMidiHdr& header) {
    const MidiResult result = send(header.Data.get(), header.BufferLength);
    if (result == MidiOk)
        sink_.LongDone(header);
    return result;
}

MidiResult JackOutput::send(const std::uint8_t* bytes, std::size_t count) {
    if (client_->Gone())
        return MidiInvalidHandle;
    if (deviceGone_.load(std::memory_order_acquire))
        return MidiNoDevice;
    const Length length = Length(count);
    if (jack_ringbuffer_write_space(ring_) < sizeof length + count)
        return MidiNotReady;
    // The process thread takes a message only once all of its bytes are there.
    jack_ringbuffer_write(ring_, reinterpret_cast<const char*>(&length), sizeof length);
    jack_ringbuffer_write(ring_, reinterpret_cast<const char*>(bytes), count);
    return MidiOk;
}

void JackOutput::Process(jack_nframes_t frames, jack_nframes_t) {
    void* buffer = jack_port_get_buffer(port_, frames);
    jack_midi_clear_buffer(buffer);
    const std::size_t wholeBuffer = jack_midi_max_event_size(buffer);
    for (;;) {
        if (pending_ == 0) {
            Length length;
            if (jack_ringbuffer_peek(ring_, reinterpret_cast<char*>(&length), sizeof length) <
                    sizeof length ||
                jack_ringbuffer_read_space(ring_) < sizeof length + length)
                return;
            jack_ringbuffer_read_advance(ring_, sizeof length);
            pending_ = length;
            inParts_ = length > wholeBuffer;
        }
        std::size_t part = pending_;
        const std::size_t room = jack_midi_max_event_size(buffer);
        // A message that fits a cycle's buffer waits for the next cycle rather than be split.
        if (part > room) {
            if (!inParts_ || room == 0)
                return;
            part = room;
        }
        jack_midi_data_t* event = jack_midi_event_reserve(buffer, 0, part);
        if (!event)
            return;
        jack_ringbuffer_read(ring_, reinterpret_cast<char*>(event), part);
        pending_ -= part;
    }
}
