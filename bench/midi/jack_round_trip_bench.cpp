#include "latency_samples.h"
#include "midi/midi_ports.h"
#include "midi/rtmidi_service.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <jack/jack.h>
#include <jack/midiport.h>

namespace {

// The other program of the round trip, written on JACK directly so that it can time its own
// process cycle: it writes a controller change, and notes when the 7-byte SysEx answer arrives.
class JackPeer {
public:
    JackPeer() {
        client_ = jack_client_open("bench-peer", JackNoStartServer, nullptr);
        if (!client_)
            return;
        out_ = jack_port_register(client_, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
        in_ = jack_port_register(client_, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
        jack_set_process_callback(client_, &JackPeer::process, this);
        jack_activate(client_);
    }
    ~JackPeer() {
        if (client_)
            jack_client_close(client_);
    }

    bool Running() const { return client_ && out_ && in_; }
    QString SendingPort() const { return QString::fromUtf8(jack_port_name(out_)); }
    QString ReceivingPort() const { return QString::fromUtf8(jack_port_name(in_)); }

    void Fire() {
        answeredAt_.store(0, std::memory_order_relaxed);
        fire_.store(true, std::memory_order_release);
    }
    BenchClock::time_point FiredAt() const { return at(firedAt_); }
    // Zero until the answer has come.
    BenchClock::rep AnsweredAt() const { return answeredAt_.load(std::memory_order_acquire); }

private:
    static BenchClock::time_point at(const std::atomic<BenchClock::rep>& rep) {
        return BenchClock::time_point(BenchClock::duration(rep.load(std::memory_order_acquire)));
    }

    static int process(jack_nframes_t frames, void* self) {
        auto* peer = static_cast<JackPeer*>(self);
        void* out = jack_port_get_buffer(peer->out_, frames);
        jack_midi_clear_buffer(out);
        if (peer->fire_.exchange(false, std::memory_order_acq_rel)) {
            const jack_midi_data_t cc[] = {0xB0, 0x10, 0x40};
            peer->firedAt_.store(BenchClock::now().time_since_epoch().count(),
                                 std::memory_order_release);
            jack_midi_event_write(out, 0, cc, sizeof cc);
        }
        void* in = jack_port_get_buffer(peer->in_, frames);
        const jack_nframes_t count = jack_midi_get_event_count(in);
        for (jack_nframes_t i = 0; i < count; ++i) {
            jack_midi_event_t event;
            if (jack_midi_event_get(&event, in, i) == 0 && event.size == 7)
                peer->answeredAt_.store(BenchClock::now().time_since_epoch().count(),
                                        std::memory_order_release);
        }
        return 0;
    }

    jack_client_t* client_ = nullptr;
    jack_port_t* out_ = nullptr;
    jack_port_t* in_ = nullptr;
    std::atomic<bool> fire_{false};
    std::atomic<BenchClock::rep> firedAt_{0};
    std::atomic<BenchClock::rep> answeredAt_{0};
};

// The RtMidi service with a stopwatch between it and the ports: notes when the backend's thread
// hands an input message over.
class TimedService final : public MidiService, private MidiInputSink {
public:
    QStringList InputDevices() override { return real_.InputDevices(); }
    QStringList OutputDevices() override { return real_.OutputDevices(); }
    MidiResult OpenInput(const QString& name, MidiInputSink& sink,
                         std::unique_ptr<ServiceInput>& input) override {
        port_ = &sink;
        return real_.OpenInput(name, *this, input);
    }
    MidiResult OpenOutput(const QString& name, MidiOutputSink& sink,
                          std::unique_ptr<ServiceOutput>& output) override {
        return real_.OpenOutput(name, sink, output);
    }

    BenchClock::time_point HandedOverAt() const {
        return BenchClock::time_point(BenchClock::duration(at_.load(std::memory_order_acquire)));
    }

private:
    void ShortMessage(std::uint32_t packed, std::uint32_t timeStamp) override {
        at_.store(BenchClock::now().time_since_epoch().count(), std::memory_order_release);
        port_->ShortMessage(packed, timeStamp);
    }
    void LongData(const std::uint8_t* bytes, std::size_t count, std::uint32_t timeStamp) override {
        port_->LongData(bytes, count, timeStamp);
    }
    void LongEnd(std::uint32_t timeStamp) override { port_->LongEnd(timeStamp); }
    void LongAbort() override { port_->LongAbort(); }

    RtMidiService real_{MidiBackend::Jack};
    MidiInputSink* port_ = nullptr;
    std::atomic<BenchClock::rep> at_{0};
};

// A peer writes a CC; our input receives it on the Qt thread, which answers through our output with
// a 7-byte SysEx; the peer receives that. "own" is the program's share: from the backend handing
// the CC to the port until PutLong has returned; "own_wake" is the part until the handler runs on
// the Qt thread, "own_work" the handler's own (taking the event, sending the answer). "jack_in"
// adds JACK's delivery within the cycle: from the peer's write (our input runs later in the same
// cycle) until PutLong has returned.
void JackRoundTrip(benchmark::State& state) {
    JackPeer peer;
    if (!peer.Running()) {
        state.SkipWithError("no JACK server: run the benchmark through scripts/jack-run");
        return;
    }
    TimedService service;
    TMidiInput input(service);
    TMidiOutput output(service);
    input.SetProductName(peer.SendingPort());
    input.OpenAndStart();
    output.SetProductName(peer.ReceivingPort());
    if (!output.Open()) {
        state.SkipWithError("cannot open the peer's input");
        return;
    }
    QThread::msleep(200);

    const std::uint8_t answer[] = {0xF0, 0x43, 0x10, 0x12, 0x27, 0x14, 0xF7};
    BenchClock::time_point sent;
    bool answered = false;
    BenchClock::time_point entered;
    input.OnMidiInput = [&] {
        entered = BenchClock::now();
        while (auto event = input.GetMidiEvent()) {
            output.PutLong(answer, sizeof answer);
            sent = BenchClock::now();
            answered = true;
        }
    };

    // Wakes the event loop now and then, so that a message JACK lost does not stop the run.
    QTimer wakeUp;
    wakeUp.start(100);
    int lost = 0;
    LatencySamples own("own");
    LatencySamples wake("own_wake");
    LatencySamples work("own_work");
    LatencySamples withJack("jack_in");
    LatencySamples total("round_trip");
    for (auto _ : state) {
        answered = false;
        peer.Fire();
        const auto deadline = BenchClock::now() + std::chrono::seconds(1);
        while (!answered && BenchClock::now() < deadline)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        BenchClock::rep back;
        while ((back = peer.AnsweredAt()) == 0 && BenchClock::now() < deadline)
            QThread::usleep(50);
        if (!answered || back == 0) {
            ++lost;
            continue;
        }
        own.Add(sent - service.HandedOverAt());
        wake.Add(entered - service.HandedOverAt());
        work.Add(sent - entered);
        withJack.Add(sent - peer.FiredAt());
        total.Add(BenchClock::time_point(BenchClock::duration(back)) - peer.FiredAt());
    }
    state.counters["lost"] = lost;
    own.Report(state);
    wake.Report(state);
    work.Report(state);
    withJack.Report(state);
    total.Report(state);
}
BENCHMARK(JackRoundTrip)->Iterations(2000)->Unit(benchmark::kMillisecond);

} // namespace
