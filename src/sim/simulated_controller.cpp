#include "sim/simulated_controller.h"

#include "sim/element_moves.h"

namespace {

QString encoderName(int number) {
    return QStringLiteral("encoder %1").arg(number);
}
QString buttonName(int number) {
    return QStringLiteral("button %1").arg(number);
}

QString hexOf(std::span<const std::uint8_t> message) {
    return QByteArray(reinterpret_cast<const char*>(message.data()), qsizetype(message.size()))
        .toHex(' ')
        .toUpper();
}

// A channel message in words, for the log.
QString described(std::span<const std::uint8_t> message) {
    const int channel = (message[0] & 0x0F) + 1;
    const int kind = message[0] & 0xF0;
    const auto data = [&](std::size_t at) { return at < message.size() ? int(message[at]) : 0; };
    switch (kind) {
    case 0xB0:
        return QStringLiteral("control change %1 = %2 on channel %3")
            .arg(data(1))
            .arg(data(2))
            .arg(channel);
    case 0x80:
    case 0x90:
        return QStringLiteral("note %1 velocity %2 on channel %3")
            .arg(data(1))
            .arg(kind == 0x80 ? 0 : data(2))
            .arg(channel);
    case 0xC0:
        return QStringLiteral("program change %1 on channel %2").arg(data(1)).arg(channel);
    case 0xE0:
        return QStringLiteral("pitch bend %1 on channel %2")
            .arg(data(2) << 7 | data(1))
            .arg(channel);
    default:
        return QStringLiteral("aftertouch %1 on channel %2")
            .arg(hexOf(message.subspan(1)))
            .arg(channel);
    }
}

// Adds what one detent or press sent, with the change it made.
void record(SimulatedController::Outcome& outcome, const QString& name, int before,
            const ControllerElement& element, std::vector<SimulatedController::Message> sent) {
    outcome.Changes << QStringLiteral("%1: %2 -> %3").arg(name).arg(before).arg(element.value);
    outcome.SentByChange.push_back(sent.size());
    outcome.Sent.insert(outcome.Sent.end(), sent.begin(), sent.end());
}

} // namespace

SimulatedController::Outcome SimulatedController::Receive(std::span<const std::uint8_t> message) {
    if (!message.empty() && message[0] == 0xF0)
        return sysex(message);
    if (!message.empty() && message[0] >= 0x80 && message[0] < 0xF0)
        return show(message);
    return {{}, {QStringLiteral("ignored: neither SysEx nor a channel message")}, {0}};
}

bool SimulatedController::addressed(int device, int model) const {
    return (device == Bcl::AnyDevice || device == bcl_.DeviceNumber()) &&
           (model == Bcl::Bcr2000 || model == Bcl::AnyModel);
}

SimulatedController::Outcome SimulatedController::sysex(std::span<const std::uint8_t> message) {
    if (const std::optional<Bcl::IdentityRequest> request = Bcl::ReadIdentityRequest(message)) {
        if (!addressed(request->device, request->model))
            return {{}, {QStringLiteral("ignored: an identity request for another device")}, {0}};
        const QString identity = QString::fromLatin1(Bcl::Bcr2000Identity);
        return {{Bcl::IdentityMessage(bcl_.DeviceNumber(), Bcl::Bcr2000, identity)},
                {QStringLiteral("identity request: answered \"%1\"").arg(identity)},
                {1}};
    }
    const std::optional<Bcl::Line> received = Bcl::ReadLine(message);
    if (!received)
        return {{},
                {QStringLiteral("ignored: SysEx that is neither a preset line nor an "
                                "identity request")},
                {0}};
    if (received->device != Bcl::AnyDevice && received->device != bcl_.DeviceNumber())
        return {{},
                {QStringLiteral("ignored: a preset line for device %1").arg(received->device)},
                {0}};
    if (!addressed(received->device, received->model))
        return {{}, {QStringLiteral("ignored: a preset line for another model")}, {0}};
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
            {QStringLiteral("line %1 \"%2\": %3").arg(received.index).arg(received.text, verdict)},
            {1}};
}

SimulatedController::Outcome SimulatedController::show(std::span<const std::uint8_t> message) {
    Outcome outcome;
    const std::vector<ControllerFeedback::Value> values = feedback_.Read(message);
    const auto light = [&](ControllerElement& element, const QString& name, bool encoder) {
        for (const ControllerFeedback::Value& value : values) {
            if (!ControllerFeedback::Shows(element, value))
                continue;
            const int shown =
                encoder ? std::clamp(value.value, element.low(), element.high()) : value.value;
            if (shown == element.value)
                continue;
            outcome.Changes
                << QStringLiteral("%1: %2 -> %3").arg(name).arg(element.value).arg(shown);
            outcome.SentByChange.push_back(0);
            element.value = shown;
        }
    };
    ControllerPreset& preset = bcl_.Edit();
    for (std::size_t i = 0; i < preset.encoders.size(); ++i)
        light(preset.encoders[i], encoderName(int(i) + 1), true);
    for (std::size_t i = 0; i < preset.buttons.size(); ++i)
        light(preset.buttons[i], buttonName(int(i) + 1), false);
    if (outcome.Changes.isEmpty()) {
        outcome.Changes << described(message) + QStringLiteral(": nothing changed");
        outcome.SentByChange.push_back(0);
    }
    return outcome;
}

SimulatedController::Outcome SimulatedController::Turn(int encoder, int steps) {
    Outcome outcome;
    if (encoder < 1 || encoder > ControllerPreset::EncoderCount)
        return outcome;
    ControllerElement& element = bcl_.Edit().encoders[std::size_t(encoder - 1)];
    for (int step = 0; step < std::abs(steps); ++step) {
        const int before = element.value;
        std::vector<Message> sent = ElementMoves::Turn(element, steps > 0);
        if (sent.empty() && element.value == before)
            break; // the end of its range
        record(outcome, encoderName(encoder), before, element, std::move(sent));
    }
    return outcome;
}

SimulatedController::Outcome SimulatedController::Press(int button) {
    Outcome outcome;
    if (button < 1 || button > ControllerPreset::ButtonCount)
        return outcome;
    ControllerElement& element = bcl_.Edit().buttons[std::size_t(button - 1)];
    if (!element.sends())
        return outcome;
    for (const bool down : {true, false}) {
        const int before = element.value;
        std::vector<Message> sent =
            down ? ElementMoves::Press(element) : ElementMoves::Release(element);
        if (!sent.empty() || element.value != before)
            record(outcome, buttonName(button), before, element, std::move(sent));
    }
    return outcome;
}

const ControllerElement& SimulatedController::Encoder(int number) const {
    return bcl_.Edit().encoders.at(std::size_t(number - 1));
}

const ControllerElement& SimulatedController::Button(int number) const {
    return bcl_.Edit().buttons.at(std::size_t(number - 1));
}
