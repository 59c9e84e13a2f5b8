#pragma once

#include "sim/bcl_interpreter.h"
#include "sim/controller_feedback.h"

#include <cstdint>
#include <span>
#include <vector>

// A BCR2000 of our own, so that controller presets and the editor's echoes can be tried and
// tested without the hardware. It takes preset lines in its language one SysEx message at a time
// and answers each as the unit does, answers an identity request, keeps every element's
// definition and value, shows the values it receives on the elements whose standard output sends
// them, and turns encoders and presses keys as the loaded definitions make them send. Not
// thread-safe: callers serialise.
class SimulatedController {
public:
    using Message = std::vector<std::uint8_t>;

    // What one message or one action did: the messages the controller sent (an answer, the
    // messages of a turn or a press), a line for a log for each thing that happened (a preset line
    // taken, an element changed), and how many of the messages each of those lines sent.
    struct Outcome {
        std::vector<Message> Sent;
        QStringList Changes;
        std::vector<std::size_t> SentByChange;
    };

    struct Answer {
        int index;
        QString text;
        int error; // BclInterpreter::Error
    };

    Outcome Receive(std::span<const std::uint8_t> message);
    // Turns encoder 1..56 by so many detents, clockwise when positive, one step a detent.
    Outcome Turn(int encoder, int steps);
    // Presses and releases button 1..64.
    Outcome Press(int button);

    const ControllerElement& Encoder(int number) const;
    const ControllerElement& Button(int number) const;
    const BclInterpreter& Interpreter() const { return bcl_; }
    // Every preset line received, with its answer, in order.
    const std::vector<Answer>& Answers() const { return answers_; }

private:
    Outcome sysex(std::span<const std::uint8_t> message);
    Outcome line(const Bcl::Line& received);
    Outcome show(std::span<const std::uint8_t> message);
    bool addressed(int device, int model) const;

    BclInterpreter bcl_;
    ControllerFeedback::Reader feedback_;
    std::vector<Answer> answers_;
};
