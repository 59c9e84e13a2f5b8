#include "read_command.h"

#include "bad_input.h"
#include "console.h"
#include "files/file_reading.h"
#include "input_file.h"
#include "synth/message_decode.h"

Readout LoadSoundFile(SoundKind kind, const QByteArray& bytes, const QString& fileName) {
    const SyxFiles::FileReading reading = SyxFiles::ReadByMessages(
        {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())},
        FileOf(kind));
    if (reading.refusal)
        throw BadInput{fileName + QStringLiteral(": ") + *reading.refusal};

    Sound sound;
    QStringList warnings;
    for (const SyxFiles::LoadMessage& loaded : reading.messages) {
        const Layouts::DecodedMessage decoded =
            Layouts::DecodeMessage(*loaded.message->layout, loaded.bytes);
        for (const Layouts::DecodeProblem& problem : decoded.problems)
            warnings << Layouts::ProblemText(problem);
        for (const Layouts::MessageByte& byte : decoded.values)
            sound.Set(decoded.layout->target, byte.param, byte.value);
        if (decoded.name)
            sound.voice.SetName(*decoded.name);
    }
    return ReadoutOf(kind, sound, warnings + SyxFiles::LoadNotes(reading, fileName));
}

Readout ReadoutOf(SoundKind kind, const Sound& sound, const QStringList& warnings) {
    Readout readout{WordOf(kind), std::nullopt, std::nullopt, std::nullopt, {}, warnings};
    if (kind == SoundKind::Voice)
        readout.name = sound.voice.Name();
    for (const KeyedParam& param : KeyedParams(kind))
        readout.params.emplace_back(param.key, sound.Value(param.target, param.param));
    return readout;
}

int RunRead(SoundKind kind, const QString& path) {
    WriteOut(FormatReadout(LoadSoundFile(kind, ReadInput(path), path)));
    return 0;
}
