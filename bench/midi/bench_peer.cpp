#include "bench_peer.h"

#include <algorithm>
#include <jack/midiport.h>

namespace {

constexpr std::uint8_t ChangedRow = 6;
constexpr std::size_t AnswerSize = 7;

jack_port_t* midiPort(jack_client_t* client, const char* name, unsigned long flags) {
    return jack_port_register(client, name, JACK_DEFAULT_MIDI_TYPE, flags, 0);
}

BenchClock::rep now() {
    return BenchClock::now().time_since_epoch().count();
}

BenchClock::time_point at(const std::atomic<BenchClock::rep>& rep) {
    return BenchClock::time_point(BenchClock::duration(rep.load(std::memory_order_acquire)));
}

} // namespace

BenchPeer::BenchPeer(const char* name) {
    client_ = jack_client_open(name, JackNoStartServer, nullptr);
    if (!client_)
        return;
    ctrlOut_ = midiPort(client_, "ctrl-out", JackPortIsOutput);
    ctrlIn_ = midiPort(client_, "ctrl-in", JackPortIsInput);
    synthOut_ = midiPort(client_, "synth-out", JackPortIsOutput);
    synthIn_ = midiPort(client_, "synth-in", JackPortIsInput);
    jack_set_process_callback(client_, &BenchPeer::process, this);
    running_ = ctrlOut_ && ctrlIn_ && synthOut_ && synthIn_ && jack_activate(client_) == 0;
}

BenchPeer::~BenchPeer() {
    if (client_)
        jack_client_close(client_);
}

QString BenchPeer::Port(const char* port) const {
    return QStringLiteral("%1:%2").arg(QString::fromUtf8(jack_get_client_name(client_)),
                                       QLatin1String(port));
}

void BenchPeer::Fire() {
    answers_.store(0, std::memory_order_relaxed);
    answeredAt_.store(0, std::memory_order_relaxed);
    answeredFrame_.store(0, std::memory_order_relaxed);
    toFire_.store(1, std::memory_order_release);
}

void BenchPeer::Flood(int perSecond, int count) {
    answers_.store(0, std::memory_order_relaxed);
    floodRate_.store(perSecond, std::memory_order_relaxed);
    floodCount_.store(count, std::memory_order_relaxed);
    floodStart_.store(true, std::memory_order_release);
}

BenchClock::time_point BenchPeer::FiredAt() const {
    return at(firedAt_);
}

BenchClock::time_point BenchPeer::AnsweredAt() const {
    return at(answeredAt_);
}

std::int64_t BenchPeer::CyclesToAnswer() const {
    const std::int64_t period = jack_get_buffer_size(client_);
    return (answeredFrame_.load(std::memory_order_acquire) -
            firedFrame_.load(std::memory_order_acquire)) /
           period;
}

int BenchPeer::process(jack_nframes_t frames, void* self) {
    static_cast<BenchPeer*>(self)->cycle(frames);
    return 0;
}

void BenchPeer::cycle(jack_nframes_t frames) {
    const std::int64_t frame = jack_last_frame_time(client_);
    for (jack_port_t* silent : {synthOut_})
        jack_midi_clear_buffer(jack_port_get_buffer(silent, frames));
    void* out = jack_port_get_buffer(ctrlOut_, frames);
    jack_midi_clear_buffer(out);
    if (toFire_.exchange(0, std::memory_order_acq_rel)) {
        value_ ^= 1;
        const jack_midi_data_t change[] = {0xB0, ChangedRow, jack_midi_data_t(10 + value_)};
        firedValue_ = change[2];
        firedFrame_.store(frame, std::memory_order_relaxed);
        firedAt_.store(now(), std::memory_order_release);
        jack_midi_event_write(out, 0, change, sizeof change);
    }
    writeChanges(out, frames);

    void* in = jack_port_get_buffer(synthIn_, frames);
    const jack_nframes_t count = jack_midi_get_event_count(in);
    for (jack_nframes_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        // A late answer to an earlier change does not count for the one just fired.
        if (jack_midi_event_get(&event, in, i) != 0 || event.size != AnswerSize ||
            event.buffer[1] != 0x43 || (firedValue_ != 0 && event.buffer[5] != firedValue_))
            continue;
        if (answers_.fetch_add(1, std::memory_order_acq_rel) == 0) {
            answeredFrame_.store(frame, std::memory_order_relaxed);
            answeredAt_.store(now(), std::memory_order_release);
        }
    }
}

// The changes of a flood due by the end of this cycle, spread over its frames.
void BenchPeer::writeChanges(void* out, jack_nframes_t frames) {
    if (floodStart_.exchange(false, std::memory_order_acq_rel)) {
        floodSent_ = 0;
        floodFrames_ = 0;
        firedValue_ = 0;
    }
    const int count = floodCount_.load(std::memory_order_relaxed);
    if (floodSent_ >= count)
        return;
    floodFrames_ += frames;
    const std::int64_t rate = jack_get_sample_rate(client_);
    const int due = int(std::min<std::int64_t>(
        count, floodFrames_ * floodRate_.load(std::memory_order_relaxed) / rate));
    for (int n = floodSent_; n < due; ++n) {
        value_ ^= 1;
        const jack_midi_data_t change[] = {0xB0, ChangedRow, jack_midi_data_t(10 + value_)};
        const auto offset =
            jack_nframes_t(std::int64_t(n - floodSent_) * frames / std::max(1, due - floodSent_));
        jack_midi_event_write(out, offset, change, sizeof change);
    }
    floodSent_ = due;
}

JackThru::JackThru() {
    client_ = jack_client_open("bench-thru", JackNoStartServer, nullptr);
    if (!client_)
        return;
    in_ = midiPort(client_, "in", JackPortIsInput);
    out_ = midiPort(client_, "out", JackPortIsOutput);
    jack_set_process_callback(client_, &JackThru::process, this);
    running_ = in_ && out_ && jack_activate(client_) == 0;
}

JackThru::~JackThru() {
    if (client_)
        jack_client_close(client_);
}

QString JackThru::Port(const char* port) const {
    return QStringLiteral("%1:%2").arg(QString::fromUtf8(jack_get_client_name(client_)),
                                       QLatin1String(port));
}

int JackThru::process(jack_nframes_t frames, void* self) {
    auto* thru = static_cast<JackThru*>(self);
    void* out = jack_port_get_buffer(thru->out_, frames);
    jack_midi_clear_buffer(out);
    void* in = jack_port_get_buffer(thru->in_, frames);
    const jack_nframes_t count = jack_midi_get_event_count(in);
    for (jack_nframes_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, in, i) != 0 || event.size != 3)
            continue;
        const jack_midi_data_t answer[] = {0xF0, 0x43, 0x10, 0x12, event.buffer[1], event.buffer[2],
                                           0xF7};
        jack_midi_event_write(out, event.time, answer, sizeof answer);
    }
    return 0;
}

bool PeerRunning(const BenchPeer& peer, benchmark::State& state) {
    if (!peer.Running())
        state.SkipWithError("no JACK server: run the benchmark through scripts/jack-run");
    return peer.Running();
}

bool ConnectPorts(const QString& source, const QString& destination) {
    jack_client_t* client = jack_client_open("bench-patchbay", JackNoStartServer, nullptr);
    if (!client)
        return false;
    const int result =
        jack_connect(client, source.toUtf8().constData(), destination.toUtf8().constData());
    jack_client_close(client);
    return result == 0;
}
