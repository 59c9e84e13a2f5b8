#pragma once

#include "sim/simulated_controller_bcl.h"

#include <cstdint>
#include <span>
#include <vector>

// A BCR2000 of our own, so that the controller presets and the editor's echoes can be tried and
// tested without the hardware. It takes preset lines in its language one SysEx message at a time
// and answers each as the unit does, keeps every element's definition and value, shows the
// control changes it receives on the elements that send them, and turns encoders and presses
// keys as the loaded definitions make them send. Not thread-safe: callers serialise.
class SimulatedController {
public:
    using Message = std::vector<std::uint8_t>;

    // What one message or one action did: the messages the controller sent (an answer to a
    // preset line, control changes), and a line for a log for each preset line taken and each
    // element that changed.
    struct Outcome {
        std::vector<Message> Sent;
        QStringList Changes;
    };

    struct Answer {
        int index;
        QString text;
        int error; // BclInterpreter::Error
    };

    Outcome Receive(std::span<const std::uint8_t> message);
    // Turns encoder 1..56 by so many detents, clockwise when positive. Each detent that changes
    // the value sends one control change; at the end of its range the encoder sends nothing more.
    Outcome Turn(int encoder, int steps);
    // Presses and releases button 1..64.
    Outcome Press(int button);

    const ControllerElement& Encoder(int number) const;
    const ControllerElement& Button(int number) const;
    const BclInterpreter& Interpreter() const { return bcl_; }
    // Every preset line received, with its answer, in order.
    const std::vector<Answer>& Answers() const { return answers_; }

private:
    Outcome line(const Bcl::Line& received);
    Outcome show(int channel, int cc, int value);
    void send(Outcome& outcome, ControllerElement& element, const QString& name, int value);

    BclInterpreter bcl_;
    std::vector<Answer> answers_;
};
