// tq5syx's readers of a patch or multi file: voice and multi (read as the editor loads them, by
// position or by the messages found) and check (strict validation that names each problem's
// offset). What voice and multi print is JSON that build takes back: the file it builds has the
// same parameters and passes check.
#include "bad_input.h"
#include "build_command.h"
#include "check_command.h"
#include "read_command.h"
#include "synth/sysex_formats.h"

#include <QJsonDocument>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {
[[noreturn]] void fail(const char* what, const QByteArray& detail) {
    std::fprintf(stderr, "%s\n%s\n", what, detail.constData());
    std::abort();
}

// A file the kind's load refuses reads as nothing.
std::optional<Readout> read(SoundKind kind, const QByteArray& bytes) {
    try {
        return LoadSoundFile(kind, bytes, QStringLiteral("fuzz.SYX"));
    } catch (const BadInput&) {
        return std::nullopt;
    }
}

QStringList problems(const QByteArray& bytes) {
    // The command reads a little more than a patch file's length and is told the whole size.
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const std::size_t head = std::min<std::size_t>(std::size_t(bytes.size()),
                                                   std::size_t(SyxFiles::PatchFile.length + 1));
    return FileProblems({data, head}, bytes.size());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    problems(bytes);
    std::optional<Readout> readouts[2];
    for (SoundKind kind : {SoundKind::Voice, SoundKind::Multi})
        readouts[int(kind)] = read(kind, bytes);

    // The round trip, for the kind the first message names (a multi file starts with its multi
    // block): it costs as much as everything else together.
    const SoundKind kind = Sysex::HeaderKind({data, size}, 0) == Sysex::Kind::MultiBlock
                               ? SoundKind::Multi
                               : SoundKind::Voice;
    if (!readouts[int(kind)])
        return 0;
    const Readout& readout = *readouts[int(kind)];
    const QByteArray json = FormatReadout(readout);
    QJsonParseError error;
    QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        fail("The readout is not valid JSON:", json);
    BuiltFile built;
    try {
        built = BuildFile(json, kind);
    } catch (const BadInput& refused) {
        fail("build refuses the readout:", refused.message.toUtf8() + '\n' + json);
    }
    if (const QStringList found = problems(built.bytes); !found.isEmpty())
        fail("check finds problems in the built file:", found.join('\n').toUtf8());
    const std::optional<Readout> again = read(kind, built.bytes);
    if (!again || again->params != readout.params)
        fail("The built file holds other parameters than the readout:", json);
    return 0;
}
