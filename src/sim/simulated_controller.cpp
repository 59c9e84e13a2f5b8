#include "sim/simulated_controller.h"

#include <algorithm>

namespace {

QString encoderName(int number) {
    return QStringLiteral("encoder %1").arg(number);
}
QString buttonName(int number) {
    return QStringLiteral("button %1").arg(number);
}

} // namespace

SimulatedController::Outcome SimulatedController::Receive(std::span<const std::uint8_t> message) {
    if (message.size() == 3 && (message[0] & 0xF0) == 0xB0)
        return show((message[0] & 0x0F) + 1, message[1], message[2]);
    const std::optional<Bcl::Line> received = Bcl::ReadLine(message);
    if (!received)
        return {{}, {QStringLiteral("ignored: neither a preset line nor a control change")}};
    if (received->device != Bcl::AnyDevice && received->device != bcl_.DeviceNumber())
        return {{}, {QStringLiteral("ignored: a preset line for device %1").arg(received->device)}};
    if (received->model != Bcl::Bcr2000 && received->model != Bcl::AnyModel)
        return {{}, {QStringLiteral("ignored: a preset line for another model")}};
    return line(*received);
}

SimulatedController::Outcome SimulatedController::line(const Bcl::Line& received) {
    const int error = bcl_.Line(received.index, received.text);
    answers_.push_back({received.index, received.text, error});
    const QString verdict =
        error == BclInterpreter::Accepted
            ? QStringLiteral("accepted")
            : QStringLiteral("refused, error %1 (%2)").arg(error).arg(Bcl::ErrorText(error));
    return {{Bcl::ReplyMessage(bcl_.DeviceNumber(), received.index, error)},
            {QStringLiteral("line %1 \"%2\": %3").arg(received.index).arg(received.text, verdict)}};
}

SimulatedController::Outcome SimulatedController::show(int channel, int cc, int value) {
    Outcome outcome;
    const auto light = [&](ControllerElement& element, const QString& name, bool encoder) {
        if (!element.defined || element.channel != channel || element.cc != cc)
            return;
        const int shown = encoder ? std::clamp(value, element.low(), element.high()) : value;
        if (shown == element.value)
            return;
        outcome.Changes << QStringLiteral("%1: %2 -> %3").arg(name).arg(element.value).arg(shown);
        element.value = shown;
    };
    ControllerPreset& preset = bcl_.Edit();
    for (std::size_t i = 0; i < preset.encoders.size(); ++i)
        light(preset.encoders[i], encoderName(int(i) + 1), true);
    for (std::size_t i = 0; i < preset.buttons.size(); ++i)
        light(preset.buttons[i], buttonName(int(i) + 1), false);
    if (outcome.Changes.isEmpty())
        outcome.Changes << QStringLiteral("control change %1 = %2 on channel %3: nothing changed")
                               .arg(cc)
                               .arg(value)
                               .arg(channel);
    return outcome;
}

void SimulatedController::send(Outcome& outcome, ControllerElement& element, const QString& name,
                               int value) {
    outcome.Changes << QStringLiteral("%1: %2 -> %3").arg(name).arg(element.value).arg(value);
    element.value = value;
    outcome.Sent.push_back(Message{std::uint8_t(0xB0 | (element.channel - 1)),
                                   std::uint8_t(element.cc), std::uint8_t(value)});
}

SimulatedController::Outcome SimulatedController::Turn(int encoder, int steps) {
    Outcome outcome;
    if (encoder < 1 || encoder > ControllerPreset::EncoderCount)
        return outcome;
    ControllerElement& element = bcl_.Edit().encoders[std::size_t(encoder - 1)];
    if (!element.defined)
        return outcome;
    // A minimum above the maximum makes the encoder count down when turned clockwise.
    const int direction = (steps > 0) == (element.first <= element.second) ? 1 : -1;
    for (int step = 0; step < std::abs(steps); ++step) {
        const int next = std::clamp(element.value + direction, element.low(), element.high());
        if (next == element.value)
            break;
        send(outcome, element, encoderName(encoder), next);
    }
    return outcome;
}

SimulatedController::Outcome SimulatedController::Press(int button) {
    using Mode = ControllerElement::Mode;
    Outcome outcome;
    if (button < 1 || button > ControllerPreset::ButtonCount)
        return outcome;
    ControllerElement& element = bcl_.Edit().buttons[std::size_t(button - 1)];
    const QString name = buttonName(button);
    if (!element.defined)
        return outcome;
    if (element.mode == Mode::ToggleOn) {
        // Lit while its value is nearer the first value than the second; a press turns it over.
        const bool lit =
            std::abs(element.value - element.first) < std::abs(element.value - element.second);
        send(outcome, element, name, lit ? element.second : element.first);
    } else if (element.mode == Mode::ToggleOff) {
        // Momentary: the first value on press, the second on release.
        send(outcome, element, name, element.first);
        send(outcome, element, name, element.second);
    } else if (element.mode == Mode::Increment) {
        // Counts from the second value towards the first by the increment, then starts again.
        const bool up = element.increment >= 0;
        const int next = element.value + element.increment;
        const bool beyond = up ? next > element.first : next < element.second;
        send(outcome, element, name, beyond ? (up ? element.second : element.first) : next);
    }
    return outcome;
}

const ControllerElement& SimulatedController::Encoder(int number) const {
    return bcl_.Edit().encoders.at(std::size_t(number - 1));
}

const ControllerElement& SimulatedController::Button(int number) const {
    return bcl_.Edit().buttons.at(std::size_t(number - 1));
}
