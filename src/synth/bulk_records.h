#pragma once

#include "synth/bulk_layout.h"

class ParameterMap;
struct TSyx_Param;

// The bulk layouts walked over the parameter map's records.
namespace Layouts {

struct FieldValue {
    TSyx_Param* record;
    int value;
    int block;
    int dataByte;
};

std::vector<FieldValue> ReadRecords(const BulkLayout& layout, ParameterMap& map,
                                    std::span<const std::uint8_t> message);
void WriteMessage(const BulkLayout& layout, const ParameterMap& map, DataBuffer& buffer,
                  const VoiceName* name = nullptr);
std::vector<TSyx_Param*> RecordsOf(const BulkLayout& layout, ParameterMap& map);
std::vector<const TSyx_Param*> RecordsOf(const BulkLayout& layout, const ParameterMap& map);

} // namespace Layouts
