#pragma once

#include "midi/midi_backend.h"

#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>

class RtMidiIn;
class RtMidiOut;
struct RtMidiErrors;

// A MIDI device made of two virtual RtMidi ports that other programs connect to: one it sends
// through and one it receives on. JACK wants distinct client names, so the sending port belongs to
// the client "NAME" and the receiving one to "NAME In"; other programs list them as
// "NAME:MIDI Out" and "NAME In:MIDI In". The receiving port opens only at Start, once its owner
// has everything in place that the handler calls.
class RtMidiEndpoint {
public:
    // Runs on the backend's thread for every message received.
    using Handler = std::function<void(std::span<const std::uint8_t>)>;

    RtMidiEndpoint(MidiBackend backend, const QString& name);
    ~RtMidiEndpoint();

    // Opens the receiving port; messages reach the handler from then on.
    void Start(Handler onReceive);
    // Closes the receiving port; once it returns the handler runs no more.
    void Stop();
    // Empty when the ports are usable, else what went wrong.
    QString Problem() const { return problem_; }
    // Any thread. False when the backend refused the message.
    bool Send(std::span<const std::uint8_t> bytes);

    QString SendingPort() const { return name_ + QStringLiteral(":MIDI Out"); }
    QString ReceivingPort() const { return name_ + QStringLiteral(" In:MIDI In"); }

private:
    static void received(double, std::vector<unsigned char>* message, void* self);
    void noteProblems(const RtMidiErrors& errors);

    const QString name_;
    Handler onReceive_;
    // The backend's thread runs from the constructor on; this tells it the handler is set.
    std::atomic<bool> started_{false};
    QString problem_;
    std::mutex sending_;
    std::unique_ptr<RtMidiErrors> outErrors_;
    std::unique_ptr<RtMidiErrors> inErrors_;
    std::unique_ptr<RtMidiOut> out_;
    std::unique_ptr<RtMidiIn> in_;
};
