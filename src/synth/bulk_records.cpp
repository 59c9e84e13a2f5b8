#include "synth/bulk_records.h"

#include "model/parameter_map.h"
#include "synth/data_buffers.h"

namespace Layouts {
namespace {
template <class Map> auto& recordOf(Map& map, const BulkLayout& layout, int param) {
    if (layout.target == Target::Voice)
        return map.Record(VoiceParam::FromIndex(param));
    return map.Record(MultiParam::FromRow(param));
}
} // namespace

std::vector<FieldValue> ReadRecords(const BulkLayout& layout, ParameterMap& map,
                                    std::span<const std::uint8_t> message) {
    std::vector<FieldValue> values;
    for (const MessageByte& b : ReadBytes(layout, message))
        values.push_back({&recordOf(map, layout, b.param), b.value, b.block, b.dataByte});
    return values;
}

void WriteMessage(const BulkLayout& layout, const ParameterMap& map, DataBuffer& buffer,
                  const VoiceName* name) {
    if (layout.target == Target::Multi) {
        Multi multi;
        for (int param : ParamsOf(layout))
            multi.Set(MultiParam::FromRow(param), recordOf(map, layout, param).Val);
        WriteMessage(layout, multi, buffer);
        return;
    }
    Voice voice;
    for (int param : ParamsOf(layout))
        voice.Set(VoiceParam::FromIndex(param), recordOf(map, layout, param).Val);
    if (name)
        voice.SetName(QString::fromLatin1(reinterpret_cast<const char*>(name->data()),
                                          qsizetype(name->size())));
    WriteMessage(layout, voice, buffer);
}

std::vector<TSyx_Param*> RecordsOf(const BulkLayout& layout, ParameterMap& map) {
    std::vector<TSyx_Param*> records;
    for (int param : ParamsOf(layout))
        records.push_back(&recordOf(map, layout, param));
    return records;
}

std::vector<const TSyx_Param*> RecordsOf(const BulkLayout& layout, const ParameterMap& map) {
    std::vector<const TSyx_Param*> records;
    for (int param : ParamsOf(layout))
        records.push_back(&recordOf(map, layout, param));
    return records;
}

} // namespace Layouts
