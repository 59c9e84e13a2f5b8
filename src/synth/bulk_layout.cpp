#include "synth/bulk_layout.h"

#include "model/parameter_map.h"
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

constexpr RecordRef row(int r, int slot = 0) {
    return {RefKind::Row, r, slot};
}
constexpr RecordRef multi(MultiField f) {
    return {RefKind::Multi, int(f), 0};
}

// Modulation group slots of rows 0..3.
constexpr int ModWheel = 1;
constexpr int Breath = 2;
constexpr int Foot = 3;

constexpr FixedByte VoiceBlockBytes[] = {
    {52, row(24)},          {53, row(26)},          {54, row(6)},         {55, row(7)},
    {56, row(30)},          {57, row(31)},          {58, row(15)},        {59, row(14)},
    {60, row(22)},          {61, row(23)},          {62, row(25)},        {63, row(12)},
    {64, row(4)},           {65, row(13)},          {66, row(5)},         {67, row(1, Foot)},
    {71, row(0, ModWheel)}, {72, row(1, ModWheel)}, {73, row(0, Breath)}, {74, row(1, Breath)},
    {75, row(2, Breath)},   {76, row(3, Breath)},
};

constexpr FixedByte AddVoiceBytes[] = {{20, row(27)}, {21, row(2, Foot)}, {22, row(3, Foot)}};

constexpr FixedByte AftertouchBytes[] = {{0, row(0)}, {1, row(1)}, {2, row(2)}, {3, row(3)}};

constexpr FixedByte VoiceEffectBytes[] = {{0, row(20)}, {1, row(29)}, {2, row(28)}};

constexpr FixedByte MultiEffectBytes[] = {{0, multi(MultiField::FxType)},
                                          {1, multi(MultiField::FxTime)},
                                          {2, multi(MultiField::FxBalance)}};

constexpr FixedByte MultiGlobalBytes[] = {{0, multi(MultiField::MasterTune)},
                                          {1, multi(MultiField::RxChannel)},
                                          {2, multi(MultiField::TxChannel)},
                                          {3, multi(MultiField::MemLock)}};

// Map is ParameterMap or const ParameterMap: the records come out as writable as the map is.
template <class Map> auto* resolve(Map& map, const RecordRef& ref) {
    using Record = std::remove_reference_t<decltype(map.SingleRecord(0))>;
    if (ref.kind == RefKind::Multi)
        return static_cast<Record*>(&map.Multi().Field(MultiField(ref.a)));
    const auto* r = map.Row(ref.a);
    return static_cast<Record*>(r ? r->Variant[ref.slot] : nullptr);
}

template <class Map>
auto* resolveBlock(Map& map, const RepeatedBlock& blocks, int block, int field) {
    if (blocks.owner == BlockOwner::Operator)
        return &map.Op(ParameterMap::OperatorOrder[block]).Field(OpField(field));
    return &map.Multi().Part(block + 1).Field(PartField(field));
}

// Calls visit(dataByte, record, block) for every record of the layout in read order.
template <class Map, class Visit>
void forEachRecord(const BulkLayout& layout, Map& map, Visit visit) {
    auto fixed = [&] {
        for (const FixedByte& b : layout.fixed)
            if (auto* record = resolve(map, b.ref))
                visit(b.index, record, -1);
    };
    auto blocks = [&] {
        const RepeatedBlock& rb = layout.blocks;
        for (int block = 0; block < rb.count; ++block)
            for (std::size_t i = 0; i < rb.fields.size(); ++i)
                visit(rb.first + rb.stride * block + int(i),
                      resolveBlock(map, rb, block, rb.fields[i]), block);
    };
    if (layout.fixedFirst) {
        fixed();
        blocks();
    } else {
        blocks();
        fixed();
    }
}

} // namespace

const BulkLayout VoiceBlock{
    Sysex::VoiceBlockFormat, {BlockOwner::Operator, 0, 13, 4, VoiceOperatorFields},
    VoiceBlockBytes,         false,
    Unmapped::Zero,          77};
const BulkLayout AddVoice{
    Sysex::AddVoiceFormat, {BlockOwner::Operator, 0, 5, 4, AddVoiceOperatorFields},
    AddVoiceBytes,         false,
    Unmapped::Zero,        -1};
const BulkLayout Aftertouch{Sysex::AftertouchFormat, {}, AftertouchBytes, true, Unmapped::Zero, -1};
const BulkLayout VoiceEffect{Sysex::EffectFormat, {}, VoiceEffectBytes, true, Unmapped::Zero, -1};
const BulkLayout MultiEffect{Sysex::EffectFormat, {}, MultiEffectBytes, true, Unmapped::Zero, -1};
const BulkLayout MultiBlock{Sysex::MultiBlockFormat, {BlockOwner::Part, 4, 12, 8, PartFields},
                            MultiGlobalBytes,        true,
                            Unmapped::Keep,          -1};

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

std::vector<FieldValue> ReadRecords(const BulkLayout& layout, ParameterMap& map,
                                    std::span<const std::uint8_t> message) {
    std::vector<FieldValue> values;
    if (int(message.size()) < layout.format.length)
        return values;
    forEachRecord(layout, map, [&](int index, TSyx_Param* record, int block) {
        values.push_back(
            {record, message[std::size_t(layout.format.dataOffset + index)], block, index});
    });
    return values;
}

void WriteMessage(const BulkLayout& layout, const ParameterMap& map, DataBuffer& buffer,
                  const VoiceName* name) {
    const Sysex::Format& format = layout.format;
    std::uint8_t* out = buffer.Data();
    Sysex::writeHeader(format, out);
    std::uint8_t* data = out + format.dataOffset;
    if (layout.unmapped == Unmapped::Zero)
        std::fill(data, data + format.dataCount, 0);
    forEachRecord(layout, map, [&](int index, const TSyx_Param* record, int) {
        data[index] = std::uint8_t(record->Val);
    });
    if (layout.nameAt >= 0 && name)
        std::copy(name->begin(), name->end(), data + layout.nameAt);
    const int checksumAt = format.dataOffset + format.dataCount;
    out[checksumAt] = Sysex::SysexChecksum(out + 6, checksumAt - 6);
    out[checksumAt + 1] = Sysex::End;
    buffer.Length = format.length;
}

namespace {
template <class Record, class Map>
std::vector<Record*> recordsOf(const BulkLayout& layout, Map& map) {
    std::vector<Record*> records;
    forEachRecord(layout, map, [&](int, Record* record, int) { records.push_back(record); });
    return records;
}
} // namespace

std::vector<TSyx_Param*> RecordsOf(const BulkLayout& layout, ParameterMap& map) {
    return recordsOf<TSyx_Param>(layout, map);
}

std::vector<const TSyx_Param*> RecordsOf(const BulkLayout& layout, const ParameterMap& map) {
    return recordsOf<const TSyx_Param>(layout, map);
}

} // namespace Layouts
