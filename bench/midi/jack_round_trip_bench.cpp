#include "midi/jack_service.h"
#include "midi/midi_errors.h"
#include "midi/midi_ports.h"
#include "midi/rtmidi_service.h"
#include "peer_ports.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <atomic>

namespace {

// More lost round trips than this end a run: a JACK2 server that has been overrun for long enough
// (without real-time scheduling) can stop running its clients' cycles for good.
constexpr int MostLost = 50;

// A service with a stopwatch between it and the ports: notes when the service's thread hands an
// input message over.
template <class Service> class TimedService final : public MidiService, private MidiInputSink {
public:
    template <class... Arguments>
    explicit TimedService(Arguments... arguments) : real_(arguments...) {}

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

    Service real_;
    MidiInputSink* port_ = nullptr;
    std::atomic<BenchClock::rep> at_{0};
};

// A peer writes a CC; our input receives it on the Qt thread, which answers through our output with
// a 7-byte SysEx; the peer receives that. "own" is the program's share: from the backend handing
// the CC to the port until PutLong has returned; "own_wake" is the part until the handler runs on
// the Qt thread, "own_work" the handler's own (taking the event, sending the answer). "jack_in"
// adds JACK's delivery within the cycle: from the peer's write (our input runs later in the same
// cycle) until PutLong has returned.
template <class Service, auto... ServiceArguments> void JackRoundTrip(benchmark::State& state) {
    PeerPorts<TimedService<Service>> ports(ServiceArguments...);
    if (!ports.Open(state))
        return;
    auto& [peer, service, input, output] = ports;

    BenchClock::time_point sent;
    bool answered = false;
    BenchClock::time_point entered;
    input.OnMidiInput = [&] {
        entered = BenchClock::now();
        while (auto event = input.GetMidiEvent()) {
            const auto answer = AnswerTo(*event);
            output.PutLong(answer.data(), answer.size());
            sent = BenchClock::now();
            answered = true;
        }
    };

    // Wakes the event loop now and then, so that a message JACK lost does not stop the run.
    QTimer wakeUp;
    wakeUp.start(100);
    // Lost on the way in (the handler never ran) or on the way out.
    int lostIn = 0;
    int lostOut = 0;
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
        while (peer.Answers() == 0 && BenchClock::now() < deadline)
            QThread::usleep(50);
        if (!answered || peer.Answers() == 0) {
            ++(answered ? lostOut : lostIn);
            if (lostIn + lostOut > MostLost) {
                state.SkipWithError("JACK has stopped running the clients' cycles");
                break;
            }
            continue;
        }
        own.Add(sent - service.HandedOverAt());
        wake.Add(entered - service.HandedOverAt());
        work.Add(sent - entered);
        withJack.Add(sent - peer.FiredAt());
        total.Add(peer.AnsweredAt() - peer.FiredAt());
    }
    state.counters["lost_in"] = lostIn;
    state.counters["lost_out"] = lostOut;
    own.Report(state);
    wake.Report(state);
    work.Report(state);
    withJack.Report(state);
    total.Report(state);
}
// On libjack, and as it was on RtMidi's JACK backend.
BENCHMARK(JackRoundTrip<JackMidiService>)->Iterations(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(JackRoundTrip<RtMidiService, MidiBackend::Jack>)
    ->Iterations(2000)
    ->Unit(benchmark::kMillisecond);

// Ten seconds of controller changes at 10 000 a second into our input, each answered from the Qt
// thread as the editor answers a controller, counted where they can go missing: before the port
// (JACK), in the input's queue, refused by the output, and after it (JACK).
template <class Service, auto... ServiceArguments> void JackFlood(benchmark::State& state) {
    constexpr int Rate = 10000;
    constexpr int Count = 10 * Rate;
    PeerPorts<Service> ports(ServiceArguments...);
    if (!ports.Open(state))
        return;
    auto& [peer, service, input, output] = ports;
    int handled = 0;
    int refused = 0;
    std::uint32_t dropped = 0;
    input.OnEventsDropped = [&](std::uint32_t count) { dropped += count; };
    input.OnMidiInput = [&] {
        while (auto event = input.GetMidiEvent()) {
            ++handled;
            const auto answer = AnswerTo(*event);
            try {
                output.PutLong(answer.data(), answer.size());
            } catch (const EMidiOutputError&) {
                ++refused;
            }
        }
    };
    for (auto _ : state) {
        peer.Flood(Rate, Count);
        const auto deadline = BenchClock::now() + std::chrono::seconds(20);
        while (peer.Answers() < Count && BenchClock::now() < deadline)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    }
    state.counters["lost_before_port"] = Count - handled - int(dropped);
    state.counters["dropped_in_queue"] = dropped;
    state.counters["refused_by_output"] = refused;
    state.counters["lost_after_port"] = handled - refused - peer.Answers();
}
BENCHMARK(JackFlood<JackMidiService>)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(JackFlood<RtMidiService, MidiBackend::Jack>)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
