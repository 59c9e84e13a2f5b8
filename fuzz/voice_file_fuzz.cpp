// The library's reader of a file's voices (patch files, voice messages anywhere in a file, banks
// with or without their frame) and the load's reading by messages, on both pages. Besides the
// sanitizers' rules: positions count 1, 2, 3 ...; a bank voice packs back to bytes that unpack to
// the same voice; every voice's patch file reads back as that voice; what a load would send is
// one whole SysEx message.
#include "files/file_reading.h"
#include "files/patch_bytes.h"
#include "library/vmem_bank.h"
#include "library/voice_file_reader.h"

#include <cstdio>
#include <cstdlib>

namespace {
[[noreturn]] void fail(const char* what, int position) {
    std::fprintf(stderr, "%s (voice %d)\n", what, position);
    std::abort();
}

using Bytes = std::span<const std::uint8_t>;

Bytes bytesOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())};
}

void checkLoads(Bytes file) {
    for (const SyxFiles::FileKind* kind : {&SyxFiles::PatchFile, &SyxFiles::MultiFile}) {
        const SyxFiles::FileReading reading = SyxFiles::ReadByMessages(file, *kind);
        if (reading.refusal.has_value() != reading.messages.empty())
            fail("A load is refused or has messages, not both", 0);
        for (const SyxFiles::LoadMessage& m : reading.messages)
            if (m.wellFormed != SyxScan::WellFormed(m.bytes) ||
                (!reading.ownLayout && !m.wellFormed))
                fail("A load would send what is not one whole SysEx message", 0);
        SyxFiles::LoadNotes(reading, QStringLiteral("fuzz.SYX"));
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes file(data, size);
    checkLoads(file);
    const FileVoices read = ReadVoices(file);
    if (read.voices.empty() != read.problem.has_value())
        fail("A file gives voices or a problem, not both", 0);
    int position = 0;
    for (const ImportedVoice& imported : read.voices) {
        if (imported.position != ++position)
            fail("Positions do not count up from 1", imported.position);
        if (imported.format == SourceFormat::OlderBank ||
            imported.format == SourceFormat::Tx81zBank) {
            const Vmem::VoiceBytes packed = Vmem::PackVoice(imported.voice);
            Voice again = Vmem::UnpackVoice(packed).voice;
            again.SetName(imported.voice.Name());
            if (!(again == imported.voice))
                fail("A bank voice does not pack back to itself", position);
        }
        const FileVoices patch = ReadVoices(bytesOf(SyxFiles::PatchFileBytes(imported.voice)));
        if (patch.voices.size() != 1 || !patch.voices[0].voice.SameSound(imported.voice))
            fail("A voice's patch file does not read back as its sound", position);
    }
    return 0;
}
