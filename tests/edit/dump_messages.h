#pragma once

#include "support/map_fixture.h"
#include "synth/bulk_records.h"
#include "synth/data_buffers.h"

#include <functional>
#include <vector>

// Bulk messages as the synth would send them, written from a parameter map of their own that the
// test first edits.
struct DumpMessages {
    using Message = std::vector<std::uint8_t>;

    explicit DumpMessages(const std::function<void(ParameterMap&)>& edit = {},
                          const QString& name = QStringLiteral("Test Voice")) {
        if (edit)
            edit(source.map);
        const Layouts::VoiceName bytes = Layouts::EncodeVoiceName(name);
        voiceBlock = write(Layouts::VoiceBlock, &bytes);
        addVoice = write(Layouts::AddVoice);
        aftertouch = write(Layouts::Aftertouch);
        voiceEffect = write(Layouts::VoiceEffect);
        multiBlock = write(Layouts::MultiBlock);
        multiEffect = write(Layouts::MultiEffect);
    }

    MapFixture source;
    Message voiceBlock, addVoice, aftertouch, voiceEffect, multiBlock, multiEffect;

private:
    Message write(const Layouts::BulkLayout& layout, const Layouts::VoiceName* name = nullptr) {
        DataBuffer buffer(200);
        Layouts::WriteMessage(layout, source.map, buffer, name);
        return {buffer.Data(), buffer.Data() + buffer.Length};
    }
};
