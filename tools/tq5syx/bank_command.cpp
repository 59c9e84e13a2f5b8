#include "bank_command.h"

#include "bad_input.h"
#include "console.h"
#include "files/patch_bytes.h"
#include "input_file.h"
#include "library/voice_file_reader.h"
#include "named_files.h"
#include "read_command.h"

namespace {

FileVoices voicesOf(const QByteArray& bytes, const QString& fileName) {
    FileVoices read = ReadVoices(
        {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())});
    if (read.voices.empty())
        throw BadInput{fileName + QStringLiteral(": ") + read.problem.value_or(QString())};
    return read;
}

} // namespace

std::vector<Readout> BankReadouts(const QByteArray& bytes, const QString& fileName) {
    std::vector<Readout> readouts;
    for (const ImportedVoice& imported : voicesOf(bytes, fileName).voices) {
        Sound sound;
        sound.voice = imported.voice;
        Readout readout = ReadoutOf(SoundKind::Voice, sound, imported.notes);
        readout.position = imported.position;
        readout.format = FormatName(imported.format);
        readouts.push_back(std::move(readout));
    }
    return readouts;
}

int RunBank(const QString& path) {
    WriteOut(FormatReadouts(BankReadouts(ReadInput(path), path)));
    return 0;
}

int RunPick(const QString& path, int position, const QString& outputPath) {
    const FileVoices read = voicesOf(ReadInput(path), path);
    if (position < 1 || position > int(read.voices.size()))
        throw BadInput{QStringLiteral("%1 holds %2 voices: there is no voice %3")
                           .arg(path)
                           .arg(read.voices.size())
                           .arg(position)};
    const ImportedVoice& picked = read.voices[std::size_t(position - 1)];
    for (const QString& note : picked.notes)
        WriteErrorLine(note);
    if (const auto error = SaveNamedFile(outputPath, SyxFiles::PatchFileBytes(picked.voice)))
        throw BadInput{outputPath + QStringLiteral(": cannot be written: ") + *error};
    return 0;
}
