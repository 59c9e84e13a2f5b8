#include "synth/bulk_layout.h"

#include "model/rows.h"
#include "synth/data_buffers.h"

namespace Layouts {
namespace {

constexpr int opf(OpField f) {
    return int(f);
}
constexpr int pf(PartField f) {
    return int(f);
}

constexpr int VoiceOperatorFields[] = {opf(OpField::AR),    opf(OpField::D1R), opf(OpField::D2R),
                                       opf(OpField::RR),    opf(OpField::D1L), opf(OpField::LS),
                                       opf(OpField::RS),    opf(OpField::EBS), opf(OpField::AME),
                                       opf(OpField::KVS),   opf(OpField::Out), opf(OpField::Coarse),
                                       opf(OpField::Detune)};

constexpr int AddVoiceOperatorFields[] = {opf(OpField::Fix), opf(OpField::FixRange),
                                          opf(OpField::Fine), opf(OpField::Wave),
                                          opf(OpField::Shift)};

constexpr int PartFields[] = {
    pf(PartField::MaxNotes),  pf(PartField::Bank),      pf(PartField::Patch),
    pf(PartField::RxChannel), pf(PartField::LowNote),   pf(PartField::TopNote),
    pf(PartField::Detune),    pf(PartField::Transpose), pf(PartField::Volume),
    pf(PartField::OutAssign), pf(PartField::LfoSelect)};

constexpr int row(int r) {
    return VoiceParam::Single(r)->Index();
}
constexpr int mod(int group, int r) {
    return VoiceParam::Mod(group, r)->Index();
}
constexpr int global(MultiField f) {
    return MultiParam::Global(f).Row();
}

// Modulation groups.
constexpr int Aftertouch_ = 0;
constexpr int ModWheel = 1;
constexpr int Breath = 2;
constexpr int Foot = 3;

constexpr FixedByte VoiceBlockBytes[] = {
    {52, row(24)},          {53, row(26)},          {54, row(6)},         {55, row(7)},
    {56, row(30)},          {57, row(31)},          {58, row(15)},        {59, row(14)},
    {60, row(22)},          {61, row(23)},          {62, row(25)},        {63, row(12)},
    {64, row(4)},           {65, row(13)},          {66, row(5)},         {67, mod(Foot, 1)},
    {71, mod(ModWheel, 0)}, {72, mod(ModWheel, 1)}, {73, mod(Breath, 0)}, {74, mod(Breath, 1)},
    {75, mod(Breath, 2)},   {76, mod(Breath, 3)},
};

constexpr FixedByte AddVoiceBytes[] = {{20, row(27)}, {21, mod(Foot, 2)}, {22, mod(Foot, 3)}};

constexpr FixedByte AftertouchBytes[] = {{0, mod(Aftertouch_, 0)},
                                         {1, mod(Aftertouch_, 1)},
                                         {2, mod(Aftertouch_, 2)},
                                         {3, mod(Aftertouch_, 3)}};

constexpr FixedByte VoiceEffectBytes[] = {
    {0, row(Rows::EffectType)}, {1, row(Rows::EffectTime)}, {2, row(Rows::EffectBalance)}};

constexpr FixedByte MultiEffectBytes[] = {{0, global(MultiField::FxType)},
                                          {1, global(MultiField::FxTime)},
                                          {2, global(MultiField::FxBalance)}};

constexpr FixedByte MultiGlobalBytes[] = {{0, global(MultiField::MasterTune)},
                                          {1, global(MultiField::RxChannel)},
                                          {2, global(MultiField::TxChannel)},
                                          {3, global(MultiField::MemLock)}};

int blockParam(const RepeatedBlock& blocks, int block, int field) {
    if (blocks.owner == BlockOwner::Operator)
        return VoiceParam::Op(OperatorOrder[std::size_t(block)], OpField(field)).Index();
    return MultiParam::Part(block + 1, PartField(field)).Row();
}

// Calls visit(dataByte, param, block) for every parameter of the layout in read order.
template <class Visit> void forEachParam(const BulkLayout& layout, Visit visit) {
    auto fixed = [&] {
        for (const FixedByte& b : layout.fixed)
            visit(b.index, b.param, -1);
    };
    auto blocks = [&] {
        const RepeatedBlock& rb = layout.blocks;
        for (int block = 0; block < rb.count; ++block)
            for (std::size_t i = 0; i < rb.fields.size(); ++i)
                visit(rb.first + rb.stride * block + int(i), blockParam(rb, block, rb.fields[i]),
                      block);
    };
    if (layout.fixedFirst) {
        fixed();
        blocks();
    } else {
        blocks();
        fixed();
    }
}

// Value is the voice's or the multi's lookup of a parameter index.
template <class Value>
void writeMessage(const BulkLayout& layout, DataBuffer& buffer, const VoiceName* name,
                  Value value) {
    const Sysex::Format& format = layout.format;
    std::uint8_t* out = buffer.Data();
    Sysex::writeHeader(format, out);
    std::uint8_t* data = out + format.dataOffset;
    if (layout.unmapped == Unmapped::Zero)
        std::fill(data, data + format.dataCount, 0);
    forEachParam(layout,
                 [&](int index, int param, int) { data[index] = std::uint8_t(value(param)); });
    if (layout.nameAt >= 0 && name)
        std::copy(name->begin(), name->end(), data + layout.nameAt);
    const int checksumAt = format.dataOffset + format.dataCount;
    out[checksumAt] = Sysex::SysexChecksum(out + 6, checksumAt - 6);
    out[checksumAt + 1] = Sysex::End;
    buffer.Length = format.length;
}

} // namespace

const BulkLayout VoiceBlock{Sysex::VoiceBlockFormat,
                            Target::Voice,
                            {BlockOwner::Operator, 0, 13, 4, VoiceOperatorFields},
                            VoiceBlockBytes,
                            false,
                            Unmapped::Zero,
                            77};
const BulkLayout AddVoice{Sysex::AddVoiceFormat,
                          Target::Voice,
                          {BlockOwner::Operator, 0, 5, 4, AddVoiceOperatorFields},
                          AddVoiceBytes,
                          false,
                          Unmapped::Zero,
                          -1};
const BulkLayout Aftertouch{
    Sysex::AftertouchFormat, Target::Voice, {}, AftertouchBytes, true, Unmapped::Zero, -1};
const BulkLayout VoiceEffect{
    Sysex::EffectFormat, Target::Voice, {}, VoiceEffectBytes, true, Unmapped::Zero, -1};
const BulkLayout MultiEffect{
    Sysex::EffectFormat, Target::Multi, {}, MultiEffectBytes, true, Unmapped::Zero, -1};
const BulkLayout MultiBlock{Sysex::MultiBlockFormat,
                            Target::Multi,
                            {BlockOwner::Part, 4, 12, 8, PartFields},
                            MultiGlobalBytes,
                            true,
                            Unmapped::Keep,
                            -1};

VoiceName EncodeVoiceName(const QString& name) {
    VoiceName bytes;
    bytes.fill(' ');
    for (int i = 0; i < NameLength && i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        bytes[std::size_t(i)] = c <= 0x7F ? std::uint8_t(c) : std::uint8_t('?');
    }
    return bytes;
}

QString ReadVoiceName(std::span<const std::uint8_t> message) {
    const int first = VoiceBlock.format.dataOffset + VoiceBlock.nameAt;
    QByteArray text;
    for (int i = first; i < first + NameLength && i < int(message.size()); ++i) {
        if (message[std::size_t(i)] == 0)
            break;
        text.append(char(message[std::size_t(i)]));
    }
    return QString::fromLatin1(text);
}

std::vector<MessageByte> ReadBytes(const BulkLayout& layout,
                                   std::span<const std::uint8_t> message) {
    std::vector<MessageByte> values;
    if (int(message.size()) < layout.format.length)
        return values;
    forEachParam(layout, [&](int index, int param, int block) {
        values.push_back(
            {param, message[std::size_t(layout.format.dataOffset + index)], block, index});
    });
    return values;
}

void WriteMessage(const BulkLayout& layout, const Voice& voice, DataBuffer& buffer) {
    const VoiceName name = EncodeVoiceName(voice.Name());
    writeMessage(layout, buffer, &name,
                 [&](int param) { return voice.Value(VoiceParam::FromIndex(param)); });
}

void WriteMessage(const BulkLayout& layout, const Multi& multi, DataBuffer& buffer) {
    writeMessage(layout, buffer, nullptr,
                 [&](int param) { return multi.Value(MultiParam::FromRow(param)); });
}

std::vector<int> ParamsOf(const BulkLayout& layout) {
    std::vector<int> params;
    forEachParam(layout, [&](int, int param, int) { params.push_back(param); });
    return params;
}

} // namespace Layouts
