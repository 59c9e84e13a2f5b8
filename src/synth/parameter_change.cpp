#include "synth/parameter_change.h"

#include "synth/bulk_layout.h"
#include "synth/sysex_formats.h"

namespace ParameterChange {

namespace {
std::uint8_t low(int v) {
    return std::uint8_t(v & 0xFF);
}
} // namespace

Message7 Change(int device, int group, int para, int value) {
    return {Sysex::Start, Sysex::Manufacturer, low(0x10 + device), low(group),
            low(para),    low(value),          Sysex::End};
}

Message8 MasterTune(int device, int value) {
    return {Sysex::Start, Sysex::Manufacturer, low(0x10 + device), 0x10, MasterTunePara,
            0x00,         low(value),          Sysex::End};
}

Message7 OperatorMask(int device, int mask) {
    return Change(device, OperatorMaskGroup, OperatorMaskPara, mask);
}

std::array<Message7, 10> Name(int device, const QString& name) {
    const Layouts::VoiceName bytes = Layouts::EncodeVoiceName(name);
    std::array<Message7, 10> messages;
    for (int c = 0; c < 10; ++c)
        messages[std::size_t(c)] =
            Change(device, OperatorMaskGroup, FirstNamePara + c, bytes[std::size_t(c)]);
    return messages;
}

} // namespace ParameterChange
