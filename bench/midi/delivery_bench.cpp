#include "latency_samples.h"
#include "midi/midi_ports.h"

#include <QCoreApplication>
#include <atomic>
#include <thread>

namespace {

// A service with one device whose input sink the benchmark calls itself, standing in for the
// backend's thread.
class DirectService final : public MidiService {
public:
    QStringList InputDevices() override { return {QStringLiteral("direct")}; }
    QStringList OutputDevices() override { return {}; }
    MidiResult OpenInput(const QString&, MidiInputSink& sink,
                         std::unique_ptr<ServiceInput>& input) override {
        this->sink = &sink;
        input = std::make_unique<Input>();
        return MidiOk;
    }
    MidiResult OpenOutput(const QString&, MidiOutputSink&,
                          std::unique_ptr<ServiceOutput>&) override {
        return MidiNoDevice;
    }

    std::atomic<MidiInputSink*> sink{nullptr};

private:
    struct Input final : ServiceInput {
        MidiResult Start() override { return MidiOk; }
        MidiResult Stop() override { return MidiOk; }
    };
};

// From the service's thread handing a message to the port to the port's input handler running on
// the Qt thread, which waits in its event loop as the program does.
void CallbackToQtHandler(benchmark::State& state) {
    DirectService service;
    TMidiInput input(service);
    input.OpenAndStart();
    BenchClock::time_point handled;
    bool seen = false;
    input.OnMidiInput = [&] {
        handled = BenchClock::now();
        input.FlushQueue();
        seen = true;
    };

    std::atomic<bool> go{false};
    std::atomic<bool> stop{false};
    std::atomic<BenchClock::rep> sentAt{0};
    std::thread backend([&] {
        for (;;) {
            while (!go.load(std::memory_order_acquire))
                if (stop.load(std::memory_order_acquire))
                    return;
            go.store(false, std::memory_order_relaxed);
            sentAt.store(BenchClock::now().time_since_epoch().count(), std::memory_order_release);
            service.sink.load()->ShortMessage(0x647FB0, 0);
        }
    });

    LatencySamples samples("delivery");
    for (auto _ : state) {
        seen = false;
        sentAt.store(0, std::memory_order_relaxed);
        go.store(true, std::memory_order_release);
        while (!seen)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        BenchClock::rep sent;
        while ((sent = sentAt.load(std::memory_order_acquire)) == 0)
            ;
        samples.Add(handled - BenchClock::time_point(BenchClock::duration(sent)));
    }
    stop = true;
    backend.join();
    samples.Report(state);
}
BENCHMARK(CallbackToQtHandler)->Iterations(20000)->Unit(benchmark::kMicrosecond);

} // namespace
