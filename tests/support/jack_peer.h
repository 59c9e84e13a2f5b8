#pragma once

#include <QString>
#include <algorithm>
#include <cstdint>
#include <jack/jack.h>
#include <jack/midiport.h>
#include <mutex>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Another program on the JACK server, on libjack: it sends JACK events exactly as given (several
// in one cycle when sent together) through one port and records every event that reaches the other.
// It outlives its server: once that has gone it sends and receives nothing. A test double, so its
// process callback takes locks.
class JackPeer {
public:
    explicit JackPeer(const QString& name) {
        client_ = jack_client_open(name.toUtf8().constData(), JackNoStartServer, nullptr);
        if (!client_)
            return;
        out_ = jack_port_register(client_, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
        in_ = jack_port_register(client_, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
        jack_set_process_callback(client_, &JackPeer::process, this);
        if (out_ && in_ && jack_activate(client_) == 0)
            running_ = true;
    }
    ~JackPeer() {
        if (client_)
            jack_client_close(client_);
    }
    JackPeer(const JackPeer&) = delete;
    JackPeer& operator=(const JackPeer&) = delete;

    QString Problem() const {
        return running_ ? QString()
                        : QStringLiteral("the JACK server refused the peer's client or ports");
    }
    QString SendingPort() const { return QString::fromUtf8(jack_port_name(out_)); }
    QString ReceivingPort() const { return QString::fromUtf8(jack_port_name(in_)); }

    // One event, in the next cycle.
    void Send(const Bytes& event) { SendInOneCycle({event}); }
    // These events, in this order, all in the same cycle.
    void SendInOneCycle(const std::vector<Bytes>& events) {
        std::lock_guard lock(mutex_);
        outbox_.push_back(events);
    }
    // From the next cycle on, perSecond controller changes B0 nn vv a second, until count have
    // gone: the nth carries n in its number and value (n >> 7, n & 0x7F).
    void Flood(int perSecond, int count) {
        std::lock_guard lock(mutex_);
        floodRate_ = perSecond;
        floodCount_ = count;
        floodSent_ = 0;
        floodFrames_ = 0;
    }
    bool FloodDone() const {
        std::lock_guard lock(mutex_);
        return floodSent_ == floodCount_;
    }

    std::vector<Bytes> Received() const {
        std::lock_guard lock(mutex_);
        return received_;
    }
    std::size_t ReceivedCount() const {
        std::lock_guard lock(mutex_);
        return received_.size();
    }
    void Clear() {
        std::lock_guard lock(mutex_);
        received_.clear();
    }

private:
    static int process(jack_nframes_t frames, void* self) {
        static_cast<JackPeer*>(self)->cycle(frames);
        return 0;
    }

    void cycle(jack_nframes_t frames) {
        std::lock_guard lock(mutex_);
        void* out = jack_port_get_buffer(out_, frames);
        jack_midi_clear_buffer(out);
        for (const std::vector<Bytes>& events : outbox_)
            for (const Bytes& event : events)
                jack_midi_event_write(out, 0, event.data(), event.size());
        outbox_.clear();
        flood(out, frames);
        void* in = jack_port_get_buffer(in_, frames);
        const jack_nframes_t count = jack_midi_get_event_count(in);
        for (jack_nframes_t i = 0; i < count; ++i) {
            jack_midi_event_t event;
            if (jack_midi_event_get(&event, in, i) == 0)
                received_.emplace_back(event.buffer, event.buffer + event.size);
        }
    }

    // The changes due by the end of this cycle, spread over its frames.
    void flood(void* out, jack_nframes_t frames) {
        if (floodSent_ == floodCount_)
            return;
        const std::int64_t rate = jack_get_sample_rate(client_);
        floodFrames_ += frames;
        const int due = int(std::min<std::int64_t>(floodCount_, floodFrames_ * floodRate_ / rate));
        for (int n = floodSent_; n < due; ++n) {
            const jack_midi_data_t change[] = {0xB0, jack_midi_data_t((n >> 7) & 0x7F),
                                               jack_midi_data_t(n & 0x7F)};
            const auto offset = jack_nframes_t(std::int64_t(n - floodSent_) * frames /
                                               std::max(1, due - floodSent_));
            jack_midi_event_write(out, offset, change, sizeof change);
        }
        floodSent_ = due;
    }

    jack_client_t* client_ = nullptr;
    jack_port_t* out_ = nullptr;
    jack_port_t* in_ = nullptr;
    bool running_ = false;
    mutable std::mutex mutex_;
    std::vector<std::vector<Bytes>> outbox_;
    std::vector<Bytes> received_;
    int floodRate_ = 0;
    int floodCount_ = 0;
    int floodSent_ = 0;
    std::int64_t floodFrames_ = 0;
};
