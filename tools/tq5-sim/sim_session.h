#pragma once

#include "message_log.h"
#include "midi/rtmidi_endpoint.h"
#include "sim/simulated_synth.h"
#include "sim_options.h"

#include <QTextStream>
#include <memory>
#include <mutex>

// The running simulator: the synth on its two virtual ports. Messages arrive on the MIDI
// system's thread and commands on the main thread; one lock keeps them apart.
class SimSession {
public:
    explicit SimSession(const SimOptions& options);
    ~SimSession();

    // Empty when the files loaded and the ports opened, else what went wrong.
    QString Problem() const { return problem_; }
    QString PortsLine() const;
    // One line of standard input; false after quit.
    bool Command(const QString& line, QTextStream& out);

private:
    bool loadFiles(const SimOptions& options);
    void received(std::span<const std::uint8_t> message);
    void send(const std::vector<SimulatedSynth::Message>& messages);

    std::mutex mutex_;
    SimulatedSynth synth_;
    MessageLog log_;
    QString problem_;
    std::unique_ptr<RtMidiEndpoint> endpoint_; // last: it calls into the rest
};
