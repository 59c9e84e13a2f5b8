#include "library/stored_voice.h"

#include "files/patch_bytes.h"
#include "library/voice_file_reader.h"

namespace {

std::optional<Voice> patchVoice(const QByteArray& bytes) {
    FileVoices read = ReadVoices(
        {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())});
    if (read.voices.size() != 1 || read.voices.front().format != SourceFormat::PatchFile)
        return std::nullopt;
    return read.voices.front().voice;
}

} // namespace

StoredVoice StoreForm(const Voice& voice) {
    StoredVoice stored{SyxFiles::PatchFileBytes(voice), 0};
    // Read back, so that two voices that differ only in what the bytes do not keep are one sound.
    stored.fingerprint = patchVoice(stored.bytes).value_or(voice).Fingerprint();
    return stored;
}

std::optional<Voice> VoiceFromStored(const QByteArray& bytes, const QString& name) {
    std::optional<Voice> voice = patchVoice(bytes);
    if (voice)
        voice->SetName(name);
    return voice;
}
