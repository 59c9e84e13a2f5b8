#pragma once

#include "model/multi.h"
#include "model/parameter_map.h"
#include "model/voice.h"

// The tests name a value by the record that shows it; the value itself is the voice's or the
// multi's. A record of the map's multi has a multi row as its index, every other one a voice
// parameter.
inline bool IsMultiRecord(const ParameterMap& map, const TSyx_Param& record) {
    const TCC_mParam* row = map.MultiRow(record.Index);
    return row && row->Param == &record;
}

inline int ValueOf(const ParameterMap& map, const Voice& voice, const Multi& multi,
                   const TSyx_Param& record) {
    return IsMultiRecord(map, record) ? multi.Value(MultiParam::FromRow(record.Index))
                                      : voice.Value(VoiceParam::FromIndex(record.Index));
}
