#include "support/reused_tool_session.h"

#include "sound_kind.h"

ReusedToolSession::ReusedToolSession() {
    for (SoundKind kind : {SoundKind::Voice, SoundKind::Multi})
        for (TSyx_Param* record : KeyedRecords(kind, session_.map))
            starts_.emplace_back(record, record->Val);
}

ToolSession& ReusedToolSession::Fresh() {
    for (const auto& [record, value] : starts_)
        record->Val = value;
    session_.data = SynthData();
    session_.prompts.texts.clear();
    return session_;
}
