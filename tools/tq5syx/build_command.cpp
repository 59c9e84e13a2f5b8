#include "build_command.h"

#include "bad_input.h"
#include "console.h"
#include "json_input.h"
#include "tool_session.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>

namespace {

QByteArray readStandardInput() {
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        throw BadInput{QStringLiteral("cannot read standard input: ") + in.errorString()};
    return in.readAll();
}

// The voice block holds ten 7-bit characters; say so when the name loses something on the way.
QStringList nameWarnings(const QString& name) {
    const Layouts::VoiceName bytes = Layouts::EncodeVoiceName(name);
    const QString written =
        QString::fromLatin1(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    const QString kept = name.left(Layouts::NameLength);
    QStringList warnings;
    if (name.size() > Layouts::NameLength)
        warnings << QStringLiteral("name \"%1\" is longer than %2 characters; written as \"%3\"")
                        .arg(name)
                        .arg(Layouts::NameLength)
                        .arg(written);
    if (std::any_of(kept.begin(), kept.end(), [](QChar c) { return c.unicode() > 0x7F; }))
        warnings << QStringLiteral("name \"%1\" has characters above 0x7F; written as \"%2\"")
                        .arg(kept, written);
    return warnings;
}

void writeFile(const QString& path, const SyxFiles::FileKind& kind, const SynthData& data) {
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || !SyxFiles::WriteMessages(out, kind, data) ||
        !out.commit())
        throw BadInput{path + QStringLiteral(": cannot be written: ") + out.errorString()};
}

} // namespace

int RunBuild(SoundKind kind, const QString& outputPath) {
    ToolSession session;
    const BuildRequest request =
        ParseBuildRequest(readStandardInput(), kind, KeyedRecords(kind, session.map));
    for (const auto& [record, value] : request.values)
        SetValueChecked(session.prompts, *record, value);
    const QString name = request.name.value_or(StartVoiceName);
    for (const QString& warning : session.prompts.texts + nameWarnings(name))
        WriteErrorLine(warning);

    SyxFiles::BuildMessages(FileOf(kind), session.map, session.data,
                            Layouts::EncodeVoiceName(name));
    writeFile(outputPath, FileOf(kind), session.data);
    return 0;
}
