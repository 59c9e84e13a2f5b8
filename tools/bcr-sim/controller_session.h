#pragma once

#include "controller_options.h"
#include "message_log.h"
#include "midi/rtmidi_endpoint.h"
#include "sim/simulated_controller.h"

#include <QTextStream>
#include <memory>
#include <mutex>

// The running simulator: the controller on its two virtual ports. Messages arrive on the MIDI
// system's thread and commands on the main thread; one lock keeps them apart.
class ControllerSession {
public:
    explicit ControllerSession(const ControllerOptions& options);
    ~ControllerSession();

    // Empty when the files loaded and the ports opened, else what went wrong.
    QString Problem() const { return problem_; }
    QString PortsLine() const;
    // One line of standard input; false after quit.
    bool Command(const QString& line, QTextStream& out);

private:
    bool loadPreset(const QString& path);
    void received(std::span<const std::uint8_t> message);
    QString show(const QString& kind, const QString& number) const;
    QString act(const QString& name, const ControllerElement& element, int before,
                const SimulatedController::Outcome& outcome);

    std::mutex mutex_;
    SimulatedController controller_;
    MessageLog log_;
    QString problem_;
    std::unique_ptr<RtMidiEndpoint> endpoint_; // last: it calls into the rest
};
