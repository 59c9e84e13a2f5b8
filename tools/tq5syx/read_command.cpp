#include "read_command.h"

#include "console.h"
#include "input_file.h"
#include "synth/message_decode.h"

Readout LoadSoundFile(SoundKind kind, QIODevice& file) {
    const SyxFiles::FileKind& fileKind = FileOf(kind);
    Sound sound;
    SynthData data;
    for (const SyxFiles::FileMessage& m : fileKind.messages)
        sound.Write(*m.layout, data.*m.buffer);

    Readout readout{WordOf(kind), std::nullopt, {}, {}};
    for (const SyxFiles::LoadedMessage& loaded : SyxFiles::ReadForLoad(file, fileKind, data)) {
        const Layouts::DecodedMessage decoded = Layouts::DecodeMessage(
            *loaded.message->layout, (data.*loaded.message->buffer).Message());
        for (const Layouts::DecodeProblem& problem : decoded.problems)
            readout.warnings << Layouts::ProblemText(problem);
        for (const Layouts::MessageByte& byte : decoded.values)
            sound.Set(decoded.layout->target, byte.param, byte.value);
        if (decoded.name)
            sound.voice.SetName(*decoded.name);
    }
    if (kind == SoundKind::Voice)
        readout.name = sound.voice.Name();
    for (const KeyedParam& param : KeyedParams(kind))
        readout.params.emplace_back(param.key, sound.Value(param.target, param.param));
    return readout;
}

int RunRead(SoundKind kind, const QString& path) {
    const auto file = OpenInput(path);
    WriteOut(FormatReadout(LoadSoundFile(kind, *file)));
    return 0;
}
