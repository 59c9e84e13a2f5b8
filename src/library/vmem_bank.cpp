#include "library/vmem_bank.h"

#include "model/rows.h"
#include "synth/bulk_layout.h"

#include <algorithm>

namespace Vmem {
namespace {

// A parameter's place: its byte, the lowest bit and the number of bits. A whole byte is read with
// all seven bits, so that a value beyond the range is seen as one rather than cut.
struct Field {
    int byte;
    int shift;
    int width;
};

struct OperatorField {
    Field at; // within the operator's block
    OpField field;
};

struct VoiceField {
    Field at;
    int param; // a VoiceParam index
};

constexpr int WholeByte = 7;
constexpr int OperatorBlockLength = 10;
constexpr int FirstAdditional = 73; // two bytes per operator, then reverb and the foot depths
constexpr int AdditionalBlockLength = 2;
constexpr int LastAdditional = 83;
constexpr int PlayModeByte = 48;
constexpr int Dx21PlayModeBits = 0x16; // chorus, sustain and portamento foot switches
constexpr int PitchEnvelopeFirst = 67;
constexpr int PitchEnvelopeLast = 72;

constexpr OperatorField OperatorFields[] = {
    {{0, 0, WholeByte}, OpField::AR},
    {{1, 0, WholeByte}, OpField::D1R},
    {{2, 0, WholeByte}, OpField::D2R},
    {{3, 0, WholeByte}, OpField::RR},
    {{4, 0, WholeByte}, OpField::D1L},
    {{5, 0, WholeByte}, OpField::LS},
    {{6, 6, 1}, OpField::AME},
    {{6, 3, 3}, OpField::EBS},
    {{6, 0, 3}, OpField::KVS},
    {{7, 0, WholeByte}, OpField::Out},
    {{8, 0, WholeByte}, OpField::Coarse},
    {{9, 3, 2}, OpField::RS},
    {{9, 0, 3}, OpField::Detune},
};

constexpr OperatorField AdditionalFields[] = {
    {{0, 4, 2}, OpField::Shift}, {{0, 3, 1}, OpField::Fix},  {{0, 0, 3}, OpField::FixRange},
    {{1, 4, 3}, OpField::Wave},  {{1, 0, 4}, OpField::Fine},
};

constexpr int row(int r) {
    return VoiceParam::Single(r)->Index();
}
constexpr int mod(int group, int r) {
    return VoiceParam::Mod(group, r)->Index();
}
constexpr int ModWheel = 1;
constexpr int Breath = 2;
constexpr int Foot = 3;

constexpr VoiceField VoiceFields[] = {
    {{40, 6, 1}, row(15)},
    {{40, 3, 3}, row(26)},
    {{40, 0, 3}, row(Rows::Algorithm)},
    {{41, 0, WholeByte}, row(6)},
    {{42, 0, WholeByte}, row(7)},
    {{43, 0, WholeByte}, row(30)},
    {{44, 0, WholeByte}, row(31)},
    {{45, 4, 3}, row(22)},
    {{45, 2, 2}, row(23)},
    {{45, 0, 2}, row(14)},
    {{46, 0, WholeByte}, row(Rows::Transpose)},
    {{47, 0, WholeByte}, row(4)},
    {{PlayModeByte, 3, 1}, row(12)},
    {{PlayModeByte, 0, 1}, row(13)},
    {{49, 0, WholeByte}, row(5)},
    {{50, 0, WholeByte}, mod(Foot, 1)},
    {{51, 0, WholeByte}, mod(ModWheel, 0)},
    {{52, 0, WholeByte}, mod(ModWheel, 1)},
    {{53, 0, WholeByte}, mod(Breath, 0)},
    {{54, 0, WholeByte}, mod(Breath, 1)},
    {{55, 0, WholeByte}, mod(Breath, 2)},
    {{56, 0, WholeByte}, mod(Breath, 3)},
    {{81, 0, WholeByte}, row(Rows::Reverb)},
    {{82, 0, WholeByte}, mod(Foot, 2)},
    {{83, 0, WholeByte}, mod(Foot, 3)},
};

// Calls visit(field, param) for every parameter the layout holds.
template <class Visit> void forEachField(Visit visit) {
    for (int block = 0; block < OperatorCount; ++block) {
        const int op = OperatorOrder[std::size_t(block)];
        for (const OperatorField& f : OperatorFields)
            visit(Field{block * OperatorBlockLength + f.at.byte, f.at.shift, f.at.width},
                  VoiceParam::Op(op, f.field));
        for (const OperatorField& f : AdditionalFields)
            visit(Field{FirstAdditional + block * AdditionalBlockLength + f.at.byte, f.at.shift,
                        f.at.width},
                  VoiceParam::Op(op, f.field));
    }
    for (const VoiceField& f : VoiceFields)
        visit(f.at, VoiceParam::FromIndex(f.param));
}

int mask(const Field& f) {
    return (1 << f.width) - 1;
}

bool anySet(std::span<const std::uint8_t> bytes, int first, int last) {
    return std::any_of(bytes.begin() + first, bytes.begin() + last + 1,
                       [](std::uint8_t b) { return b != 0; });
}

} // namespace

UnpackedVoice UnpackVoice(std::span<const std::uint8_t> bytes) {
    UnpackedVoice unpacked;
    forEachField([&](const Field& f, VoiceParam param) {
        const int value = (bytes[std::size_t(f.byte)] >> f.shift) & mask(f);
        unpacked.outOfRange += value > InfoOf(param).max;
        unpacked.voice.Set(param, value);
    });
    QByteArray name;
    for (int i = 0; i < Voice::NameLength; ++i) {
        const std::uint8_t c = bytes[std::size_t(SyxScan::BankNameOffset + i)];
        if (c == 0)
            break;
        name.append(char(c));
    }
    unpacked.voice.SetName(QString::fromLatin1(name));
    unpacked.dropsDx21Settings = (bytes[PlayModeByte] & Dx21PlayModeBits) != 0 ||
                                 anySet(bytes, PitchEnvelopeFirst, PitchEnvelopeLast);
    return unpacked;
}

VoiceBytes PackVoice(const Voice& voice) {
    VoiceBytes bytes{};
    forEachField([&](const Field& f, VoiceParam param) {
        bytes[std::size_t(f.byte)] |= std::uint8_t((voice.Value(param) & mask(f)) << f.shift);
    });
    const Layouts::VoiceName name = Layouts::EncodeVoiceName(voice.Name());
    std::copy(name.begin(), name.end(), bytes.begin() + SyxScan::BankNameOffset);
    return bytes;
}

bool CarriesAdditional(std::span<const std::uint8_t> bankData) {
    for (int voice = 0; voice < SyxScan::BankVoiceCount; ++voice)
        if (anySet(bankData.subspan(std::size_t(voice * SyxScan::BankVoiceLength)), FirstAdditional,
                   LastAdditional))
            return true;
    return false;
}

QByteArray BankMessage(std::span<const VoiceBytes, SyxScan::BankVoiceCount> voices) {
    QByteArray message;
    message.reserve(SyxScan::BankMessageLength);
    message.append("\xF0\x43\x00\x04\x20\x00", SyxScan::BankHeaderLength);
    for (const VoiceBytes& voice : voices)
        message.append(reinterpret_cast<const char*>(voice.data()), qsizetype(voice.size()));
    const auto* data = reinterpret_cast<const std::uint8_t*>(message.constData());
    message.append(
        char(Sysex::SysexChecksum(data + SyxScan::BankHeaderLength, SyxScan::BankDataLength)));
    message.append(char(Sysex::End));
    return message;
}

} // namespace Vmem
