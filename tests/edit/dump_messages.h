#pragma once

#include "support/map_fixture.h"
#include "support/record_values.h"
#include "synth/bulk_layout.h"
#include "synth/data_buffers.h"

#include <functional>
#include <vector>

// Bulk messages as the synth would send them, written from a voice and a multi of their own that
// the test first edits, by the records of a parameter map.
struct DumpMessages {
    using Message = std::vector<std::uint8_t>;

    struct Source {
        MapFixture fixture;
        ParameterMap& map = fixture.map;
        Voice voice;
        Multi multi;
        void set(const TSyx_Param& record, int value) {
            if (IsMultiRecord(map, record))
                multi.Set(MultiParam::FromRow(record.Index), value);
            else
                voice.Set(VoiceParam::FromIndex(record.Index), value);
        }
        int value(const TSyx_Param& record) const { return ValueOf(map, voice, multi, record); }
    };

    explicit DumpMessages(const std::function<void(Source&)>& edit = {},
                          const QString& name = QStringLiteral("Test Voice")) {
        if (edit)
            edit(source);
        source.voice.SetName(name);
        voiceBlock = write(Layouts::VoiceBlock);
        addVoice = write(Layouts::AddVoice);
        aftertouch = write(Layouts::Aftertouch);
        voiceEffect = write(Layouts::VoiceEffect);
        multiBlock = write(Layouts::MultiBlock);
        multiEffect = write(Layouts::MultiEffect);
    }

    Source source;
    Message voiceBlock, addVoice, aftertouch, voiceEffect, multiBlock, multiEffect;

private:
    Message write(const Layouts::BulkLayout& layout) {
        DataBuffer buffer(200);
        if (layout.target == Layouts::Target::Voice)
            Layouts::WriteMessage(layout, source.voice, buffer);
        else
            Layouts::WriteMessage(layout, source.multi, buffer);
        return {buffer.Data(), buffer.Data() + buffer.Length};
    }
};
