#include "build_command.h"

#include "bad_input.h"
#include "console.h"
#include "json_input.h"
#include "model/bounded_read.h"
#include "named_files.h"

#include <QBuffer>
#include <QFile>
#include <algorithm>

namespace {

// A voice or multi as JSON is a few kilobytes; standard input that goes on far beyond that (an
// endless device, the wrong file) is refused before it fills the memory.
constexpr qint64 MaxJsonBytes = qint64(1) << 20;

} // namespace

QByteArray ReadStandardInput() {
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        throw BadInput{QStringLiteral("cannot read standard input: ") + in.errorString()};
    const auto json = ReadAtMost(in, MaxJsonBytes);
    if (!json)
        throw BadInput{QStringLiteral("standard input is too large: a build reads at most %1 "
                                      "bytes of JSON")
                           .arg(MaxJsonBytes)};
    return *json;
}

namespace {

bool isControl(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

// A control character would end the name early where it is read back (a NUL) or reach a
// terminal as an escape code: it is written as '?', as a character the voice block cannot hold.
QString printable(const QString& name) {
    QString kept = name;
    std::replace_if(kept.begin(), kept.end(), isControl, QLatin1Char('?'));
    return kept;
}

// A name as the warnings show it: control characters escaped as the output escapes them, so that
// none reaches the terminal; everything else as it is.
QString shown(const QString& name) {
    QString text = QStringLiteral("\"");
    for (QChar c : name)
        text += isControl(c) ? QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'))
                             : QString(c);
    return text + QLatin1Char('"');
}

// The voice block holds ten 7-bit characters; say so when the name loses something on the way.
QStringList nameWarnings(const QString& name) {
    const Layouts::VoiceName bytes = Layouts::EncodeVoiceName(printable(name));
    const QString written = shown(
        QString::fromLatin1(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    const QString kept = name.left(Layouts::NameLength);
    QStringList warnings;
    if (name.size() > Layouts::NameLength)
        warnings << QStringLiteral("name %1 is longer than %2 characters; written as %3")
                        .arg(shown(name))
                        .arg(Layouts::NameLength)
                        .arg(written);
    if (std::any_of(kept.begin(), kept.end(), [](QChar c) { return c.unicode() > 0x7F; }))
        warnings << QStringLiteral("name %1 has characters above 0x7F; written as %2")
                        .arg(shown(kept), written);
    if (std::any_of(kept.begin(), kept.end(), isControl))
        warnings << QStringLiteral("name %1 has control characters; written as %2")
                        .arg(shown(kept), written);
    return warnings;
}

} // namespace

BuiltSound BuildSound(const QByteArray& json, SoundKind kind) {
    const BuildRequest request = ParseBuildRequest(json, kind);
    Sound sound;
    for (const auto& [param, value] : request.values)
        sound.Set(param->target, param->param, value);
    const QString name = request.name.value_or(StartVoiceName);
    sound.voice.SetName(printable(name));
    return {sound, nameWarnings(name)};
}

BuiltFile BuildFile(const QByteArray& json, SoundKind kind) {
    const BuiltSound built = BuildSound(json, kind);
    SynthData data;
    for (const SyxFiles::FileMessage& m : FileOf(kind).messages)
        built.sound.Write(*m.layout, data.*m.buffer);
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    SyxFiles::WriteMessages(bytes, FileOf(kind), data);
    return {bytes.data(), built.warnings};
}

int RunBuild(SoundKind kind, const QString& outputPath) {
    const BuiltFile built = BuildFile(ReadStandardInput(), kind);
    for (const QString& warning : built.warnings)
        WriteErrorLine(warning);
    if (const auto error = SaveNamedFile(outputPath, built.bytes))
        throw BadInput{outputPath + QStringLiteral(": cannot be written: ") + *error};
    return 0;
}
