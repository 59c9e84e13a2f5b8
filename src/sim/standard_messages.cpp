#include "sim/standard_messages.h"

#include "sim/midi_controllers.h"

#include <cstdlib>

namespace StandardMessages {
namespace {

using Output = ControllerElement::Output;
using Mode = ControllerElement::Mode;

using namespace MidiControllers;

std::uint8_t status(std::uint8_t kind, const ControllerElement& e) {
    return std::uint8_t(kind | ((e.channel - 1) & 0x0F));
}

Message controlChange(const ControllerElement& e, int controller, int value) {
    return {status(0xB0, e), std::uint8_t(controller & 0x7F), std::uint8_t(value & 0x7F)};
}

void appendNrpnNumber(const ControllerElement& e, std::vector<Message>& sent) {
    sent.push_back(controlChange(e, NrpnMsb, e.cc >> 7));
    sent.push_back(controlChange(e, NrpnLsb, e.cc));
}

// A value of 7 or 14 bits on a controller, or as the data of the element's NRPN.
std::vector<Message> data(const ControllerElement& e, int value) {
    const bool nrpn = e.output == Output::Nrpn;
    std::vector<Message> sent;
    if (nrpn)
        appendNrpnNumber(e, sent);
    const int msbController = nrpn ? DataMsb : e.cc;
    if (!e.wide) {
        sent.push_back(controlChange(e, msbController, value));
        return sent;
    }
    sent.push_back(controlChange(e, msbController, value >> 7));
    sent.push_back(controlChange(e, nrpn ? DataLsb : e.cc + LowByteOffset, value));
    return sent;
}

// A step in the relative codes, in 7 or 14 bits.
int stepCode(Mode mode, bool wide, int steps) {
    const int range = wide ? 1 << 14 : 1 << 7;
    const int half = range / 2;
    switch (mode) {
    case Mode::Relative2:
        return (half + steps) & (range - 1);
    case Mode::Relative3:
        return steps < 0 ? half | (-steps & (half - 1)) : steps & (half - 1);
    default:
        return steps & (range - 1);
    }
}

} // namespace

std::vector<Message> ForValue(const ControllerElement& e, int value) {
    if (value == ControllerElement::Off)
        return {};
    switch (e.output) {
    case Output::ControlChange:
    case Output::Nrpn:
        return data(e, value);
    case Output::Note:
        return {{status(0x90, e), std::uint8_t(e.cc & 0x7F), std::uint8_t(value & 0x7F)}};
    case Output::ProgramChange: {
        std::vector<Message> sent;
        if (e.bankMsb != ControllerElement::Off)
            sent.push_back(controlChange(e, BankMsb, e.bankMsb));
        if (e.bankLsb != ControllerElement::Off)
            sent.push_back(controlChange(e, BankLsb, e.bankLsb));
        sent.push_back({status(0xC0, e), std::uint8_t(value & 0x7F)});
        return sent;
    }
    case Output::PitchBend:
        return {{status(0xE0, e), std::uint8_t(value & 0x7F), std::uint8_t((value >> 7) & 0x7F)}};
    case Output::Aftertouch:
        if (e.cc == ControllerElement::AllKeys)
            return {{status(0xD0, e), std::uint8_t(value & 0x7F)}};
        return {{status(0xA0, e), std::uint8_t(e.cc & 0x7F), std::uint8_t(value & 0x7F)}};
    default:
        return {};
    }
}

std::vector<Message> ForSteps(const ControllerElement& e, int steps) {
    if (e.mode != Mode::IncDec)
        return data(e, stepCode(e.mode, e.wide, steps));
    std::vector<Message> sent;
    for (int step = 0; step < std::abs(steps); ++step) {
        appendNrpnNumber(e, sent);
        sent.push_back(controlChange(e, steps > 0 ? DataIncrement : DataDecrement, 0));
    }
    return sent;
}

} // namespace StandardMessages
