#include "sim/controller_feedback.h"

#include "sim/midi_controllers.h"

namespace ControllerFeedback {
namespace {

using Output = ControllerElement::Output;

using namespace MidiControllers;

} // namespace

std::vector<Value> Reader::Read(std::span<const std::uint8_t> message) {
    std::vector<Value> values;
    if (message.empty() || message[0] < 0x80 || message[0] >= 0xF0)
        return values;
    const int kind = message[0] & 0xF0;
    const int channel = (message[0] & 0x0F) + 1;
    const bool twoDataBytes = kind != 0xC0 && kind != 0xD0;
    if (message.size() != (twoDataBytes ? 3u : 2u))
        return values;
    const int first = message[1];
    const int second = twoDataBytes ? message[2] : 0;
    switch (kind) {
    case 0x80:
        values.push_back({Output::Note, channel, first, false, 0});
        break;
    case 0x90:
        values.push_back({Output::Note, channel, first, false, second});
        break;
    case 0xA0:
        values.push_back({Output::Aftertouch, channel, first, false, second});
        break;
    case 0xB0:
        controlChange(channel, first, second, values);
        break;
    case 0xC0:
        values.push_back({Output::ProgramChange, channel, 0, false, first});
        break;
    case 0xD0:
        values.push_back({Output::Aftertouch, channel, ControllerElement::AllKeys, false, first});
        break;
    default: // pitch bend
        values.push_back({Output::PitchBend, channel, 0, true, second << 7 | first});
    }
    return values;
}

void Reader::controlChange(int channel, int controller, int value, std::vector<Value>& values) {
    Channel& state = channels_[std::size_t(channel - 1)];
    values.push_back({Output::ControlChange, channel, controller, false, value});
    if (controller <= LastWide) {
        state.controllerMsb[std::size_t(controller)] = value;
        values.push_back({Output::ControlChange, channel, controller, true, value << 7});
    } else if (controller < 2 * LowByteOffset) {
        const int msbController = controller - LowByteOffset;
        values.push_back({Output::ControlChange, channel, msbController, true,
                          state.controllerMsb[std::size_t(msbController)] << 7 | value});
    }
    if (controller == NrpnMsb) {
        state.nrpn = (value << 7) | (state.nrpn & 0x7F);
    } else if (controller == NrpnLsb) {
        state.nrpn = (state.nrpn & ~0x7F) | value;
    } else if (controller == DataMsb) {
        state.dataMsb = value;
        values.push_back({Output::Nrpn, channel, state.nrpn, false, value});
        values.push_back({Output::Nrpn, channel, state.nrpn, true, value << 7});
    } else if (controller == DataLsb) {
        values.push_back({Output::Nrpn, channel, state.nrpn, true, state.dataMsb << 7 | value});
    }
}

bool Shows(const ControllerElement& element, const Value& value) {
    if (!element.defined || element.relative() || element.output != value.output ||
        element.channel != value.channel || element.wide != value.wide)
        return false;
    return value.output == Output::ProgramChange || value.output == Output::PitchBend ||
           element.cc == value.number;
}

} // namespace ControllerFeedback
