#pragma once

#include "latency_samples.h"

#include <QString>
#include <atomic>
#include <cstdint>
#include <jack/jack.h>

// The other programs of a round trip, played by one JACK client that times its own cycles: it
// sends controller changes B0 06 vv as a controller would (port "ctrl-out") and counts the 7-byte
// SysEx answers that reach it as a synth would (port "synth-in"). Its "ctrl-in" and "synth-out"
// ports only complete the set of devices the bridge asks for. The values alternate, so that every
// change is a new value to the editor.
class BenchPeer {
public:
    explicit BenchPeer(const char* name);
    ~BenchPeer();
    BenchPeer(const BenchPeer&) = delete;
    BenchPeer& operator=(const BenchPeer&) = delete;

    bool Running() const { return running_; }
    // "NAME:port" of one of the four ports.
    QString Port(const char* port) const;

    // One change in the next cycle.
    void Fire();
    // perSecond changes a second from the next cycle on, spread over each cycle, count in all.
    void Flood(int perSecond, int count);

    // Answers since the last Fire or Flood.
    int Answers() const { return answers_.load(std::memory_order_acquire); }
    // Of the last Fire: when the change went out and when the first answer came, on the clock and
    // as the frame time of the cycle; zero until then.
    BenchClock::time_point FiredAt() const;
    BenchClock::time_point AnsweredAt() const;
    std::int64_t CyclesToAnswer() const;

private:
    static int process(jack_nframes_t frames, void* self);
    void cycle(jack_nframes_t frames);
    void writeChanges(void* out, jack_nframes_t frames);

    jack_client_t* client_ = nullptr;
    jack_port_t* ctrlOut_ = nullptr;
    jack_port_t* ctrlIn_ = nullptr;
    jack_port_t* synthOut_ = nullptr;
    jack_port_t* synthIn_ = nullptr;
    bool running_ = false;

    std::atomic<int> toFire_{0};
    std::atomic<int> floodRate_{0};
    std::atomic<int> floodCount_{0};
    std::atomic<bool> floodStart_{false};
    // The process thread's.
    int floodSent_ = 0;
    std::int64_t floodFrames_ = 0;
    std::uint8_t value_ = 0;
    std::uint8_t firedValue_ = 0; // 0 while flooding: every answer counts

    std::atomic<int> answers_{0};
    std::atomic<BenchClock::rep> firedAt_{0};
    std::atomic<BenchClock::rep> answeredAt_{0};
    std::atomic<std::int64_t> firedFrame_{0};
    std::atomic<std::int64_t> answeredFrame_{0};
};

// The shortest answer there is: a JACK client that answers each controller change on "in" with a
// 7-byte SysEx on "out" from its own process callback.
class JackThru {
public:
    JackThru();
    ~JackThru();
    JackThru(const JackThru&) = delete;
    JackThru& operator=(const JackThru&) = delete;

    bool Running() const { return running_; }
    QString Port(const char* port) const;

private:
    static int process(jack_nframes_t frames, void* self);

    jack_client_t* client_ = nullptr;
    jack_port_t* in_ = nullptr;
    jack_port_t* out_ = nullptr;
    bool running_ = false;
};

// False, with the benchmark skipped, when the peer found no server.
bool PeerRunning(const BenchPeer& peer, benchmark::State& state);

// Connects two ports by their full names; false when JACK refuses.
bool ConnectPorts(const QString& source, const QString& destination);
