#include "bench_peer.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <vector>

namespace {

// marrowlink-bridge as its own process between the peer's ports, with the peer as both controller
// and synth; ended when this goes. MARROWLINK_BRIDGE names another build of it to measure.
class BridgeProcess {
public:
    explicit BridgeProcess(const BenchPeer& peer) {
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(
            qEnvironmentVariable("MARROWLINK_BRIDGE", QStringLiteral(MARROWLINK_BRIDGE)),
            {QStringLiteral("--api"), QStringLiteral("jack"), QStringLiteral("--synth-in"),
             peer.Port("synth-out"), QStringLiteral("--synth-out"), peer.Port("synth-in"),
             QStringLiteral("--ctrl-in"), peer.Port("ctrl-out"), QStringLiteral("--ctrl-out"),
             peer.Port("ctrl-in"), QStringLiteral("--folder"), folder_.path()});
        while (process_.waitForReadyRead(15000)) {
            errors_ += process_.readAll();
            if (errors_.contains("running")) {
                running_ = true;
                break;
            }
        }
    }
    ~BridgeProcess() {
        process_.terminate();
        if (!process_.waitForFinished(5000))
            process_.kill();
        process_.waitForFinished();
    }

    bool Running() const { return running_; }
    std::string Errors() const { return errors_.toStdString(); }

private:
    QTemporaryDir folder_;
    QProcess process_;
    QByteArray errors_;
    bool running_ = false;
};

// Waits until the peer has counted answers answers, or the deadline has passed.
bool awaitAnswers(const BenchPeer& peer, int answers, BenchClock::duration within) {
    const auto deadline = BenchClock::now() + within;
    while (peer.Answers() < answers)
        if (BenchClock::now() > deadline)
            return false;
        else
            QThread::usleep(50);
    return true;
}

// Single changes, one at a time: how long until the answer, and in how many JACK periods. A round
// trip that takes more periods than the usual one (the median) took a period extra.
void roundTrips(benchmark::State& state, BenchPeer& peer) {
    int lost = 0;
    LatencySamples total("round_trip");
    std::vector<std::int64_t> periods;
    for (auto _ : state) {
        peer.Fire();
        if (!awaitAnswers(peer, 1, std::chrono::seconds(1))) {
            // A JACK2 server overrun for long enough without real-time scheduling can stop
            // running its clients' cycles for good.
            if (++lost > 50) {
                state.SkipWithError("JACK has stopped running the clients' cycles");
                break;
            }
            continue;
        }
        total.Add(peer.AnsweredAt() - peer.FiredAt());
        periods.push_back(peer.CyclesToAnswer());
    }
    state.counters["lost"] = lost;
    total.Report(state);
    if (periods.empty())
        return;
    std::vector<std::int64_t> sorted = periods;
    std::sort(sorted.begin(), sorted.end());
    const std::int64_t usual = sorted[sorted.size() / 2];
    const auto slower =
        std::count_if(periods.begin(), periods.end(), [&](std::int64_t p) { return p > usual; });
    state.counters["periods"] = double(usual);
    state.counters["extra_period_per_1000"] = 1000.0 * double(slower) / double(periods.size());
}

// Runs run(peer) with marrowlink-bridge between the peer's ports.
template <class Run> void onBridge(benchmark::State& state, Run run) {
    BenchPeer peer("bench-peer");
    if (!PeerRunning(peer, state))
        return;
    BridgeProcess bridge(peer);
    if (!bridge.Running()) {
        state.SkipWithError(("the bridge did not start: " + bridge.Errors()).c_str());
        return;
    }
    QThread::msleep(500); // new connections carry data only after a moment
    run(peer);
}

void BridgeRoundTrip(benchmark::State& state) {
    onBridge(state, [&](BenchPeer& peer) { roundTrips(state, peer); });
}
BENCHMARK(BridgeRoundTrip)->Iterations(2000)->Unit(benchmark::kMillisecond);

void ThruRoundTrip(benchmark::State& state) {
    BenchPeer peer("bench-peer");
    JackThru thru;
    if (!PeerRunning(peer, state))
        return;
    if (!thru.Running() || !ConnectPorts(peer.Port("ctrl-out"), thru.Port("in")) ||
        !ConnectPorts(thru.Port("out"), peer.Port("synth-in"))) {
        state.SkipWithError("JACK refused the thru's client or its connections");
        return;
    }
    QThread::msleep(500); // new connections carry data only after a moment
    roundTrips(state, peer);
}
BENCHMARK(ThruRoundTrip)->Iterations(2000)->Unit(benchmark::kMillisecond);

// Ten seconds of controller changes at 10 000 a second, ten times what a MIDI cable carries: every
// one must come out at the synth as a parameter change.
void BridgeFlood(benchmark::State& state) {
    constexpr int Rate = 10000;
    constexpr int Count = 10 * Rate;
    onBridge(state, [&](BenchPeer& peer) {
        for (auto _ : state) {
            peer.Flood(Rate, Count);
            awaitAnswers(peer, Count, std::chrono::seconds(20));
        }
        state.counters["sent"] = Count;
        state.counters["lost"] = Count - peer.Answers();
    });
}
BENCHMARK(BridgeFlood)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
