#include "read_command.h"

#include "console.h"
#include "input_file.h"
#include "tool_session.h"

Readout LoadSoundFile(SoundKind kind, QIODevice& file, ToolSession& session) {
    const SyxFiles::FileKind& fileKind = FileOf(kind);
    SyxFiles::BuildMessages(fileKind, session.map, session.data,
                            Layouts::EncodeVoiceName(StartVoiceName));
    for (const SyxFiles::LoadedMessage& loaded :
         SyxFiles::ReadForLoad(file, fileKind, session.data)) {
        const DataBuffer& buffer = session.data.*loaded.message->buffer;
        for (const Layouts::FieldValue& read :
             Layouts::ReadRecords(*loaded.message->layout, session.map, buffer.Message()))
            SetValueChecked(session.prompts, *read.record, read.value);
    }

    Readout readout{WordOf(kind), std::nullopt, {}, session.prompts.texts};
    if (kind == SoundKind::Voice)
        readout.name = Layouts::ReadVoiceName(session.data.VoiceBlockBuf.Message());
    for (const TSyx_Param* record : KeyedRecords(kind, session.map))
        readout.params.emplace_back(ParamKey(*record), record->Val);
    return readout;
}

int RunRead(SoundKind kind, const QString& path) {
    const auto file = OpenInput(path);
    ToolSession session;
    WriteOut(FormatReadout(LoadSoundFile(kind, *file, session)));
    return 0;
}
