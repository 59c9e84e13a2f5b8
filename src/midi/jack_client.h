#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <atomic>
#include <cstdint>
#include <jack/jack.h>
#include <memory>
#include <mutex>

// Something the process callback serves once per JACK cycle: one of our ports.
class JackCycleUser {
public:
    // The process thread: constant time, no lock, no allocation. cycleStart is the server's frame
    // time at the start of this cycle.
    virtual void Process(jack_nframes_t frames, jack_nframes_t cycleStart) = 0;

protected:
    ~JackCycleUser() = default;
};

// A client of the program on a JACK server, with a process callback that serves the ports attached
// to it. Once the server has gone (jack_on_info_shutdown) it stays gone: a new connection
// is a new JackClient. Every call but Gone runs on the Qt thread or the device watch's thread;
// they are serialised here.
class JackClient {
public:
    // Null when no server answers. JACK may give the client another name when this one is taken.
    static std::shared_ptr<JackClient> Open(const QString& name);
    ~JackClient();
    JackClient(const JackClient&) = delete;
    JackClient& operator=(const JackClient&) = delete;

    // Any thread.
    bool Gone() const { return gone_.load(std::memory_order_acquire); }
    // Ends the connection; later calls do nothing. A client of a server that has gone must be
    // closed before the program opens another: libjack shares its view of the server among all
    // clients of the process and renews it only when none is left.
    void Close();

    // The name JACK gave the client.
    QString Name() const { return name_; }
    // The full names of the MIDI ports with these flags (JackPortIsOutput: the ports that send),
    // in the server's order. JACK2 answers from its own copy of the graph even after the server
    // has gone, so callers ask Gone first.
    QStringList Ports(unsigned long flags);
    // A new MIDI port of ours ("in-1", "out-1", ...); null when JACK refuses it.
    jack_port_t* RegisterPort(unsigned long flags);
    void UnregisterPort(jack_port_t* port);
    bool Connect(const QString& source, const QString& destination);

    // The process callback serves the user from its next cycle; false when all places are taken.
    bool Attach(JackCycleUser& user);
    // Returns once the process callback no longer touches the user.
    void Detach(JackCycleUser& user);

private:
    explicit JackClient(jack_client_t* client);
    static int process(jack_nframes_t frames, void* self);
    static void shutdown(jack_status_t, const char*, void* self);

    std::mutex calls_;
    jack_client_t* client_;       // under calls_; null once closed
    jack_client_t* const handle_; // the process callback's: it stops before the client closes
    const QString name_;
    int portsMade_ = 0; // under calls_
    std::atomic<bool> gone_{false};
    // Written on the Qt thread, read by the process callback; the five ports of the editor fit
    // with room to spare.
    std::array<std::atomic<JackCycleUser*>, 16> users_{};
    // Odd while the process callback runs, so that Detach knows when it is done with a user.
    std::atomic<std::uint64_t> cycleEdges_{0};
};
