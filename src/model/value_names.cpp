#include "model/value_names.h"

#include "model/bounded_read.h"
#include "model/domain.h"

namespace {
QStringList numbers(int from, int to) {
    QStringList list;
    for (int v = from; v <= to; ++v)
        list << QString::number(v);
    return list;
}

QStringList voiceNumbers(const char* prefix) {
    QStringList list;
    for (int v = 1; v <= 100; ++v)
        list << QString::fromLatin1(prefix) + QString::number(v);
    return list;
}

QStringList noteNames() {
    static const char* const letters[] = {"C",  "C#", "D",  "D#", "E",  "F",
                                          "F#", "G",  "G#", "A",  "A#", "B"};
    QStringList list;
    for (int note = 0; note < 128; ++note)
        list << QString::fromLatin1(letters[note % 12]) + QString::number(note / 12 - 2);
    return list;
}
} // namespace

QStringList splitVoiceNames(const QByteArray& bytes) {
    QByteArray text = bytes;
    const qsizetype nul = text.indexOf('\0');
    if (nul >= 0)
        text.truncate(nul);
    QStringList lines;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines << QString::fromLatin1(text.mid(start, i - start));
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        ++i;
    }
    // Text after the last line end is a line too; a file that ends with a line end has no
    // empty line after it.
    if (start < text.size())
        lines << QString::fromLatin1(text.mid(start));
    return lines;
}

QStringList readVoiceNames(const QString& path, QString* problem) {
    const OpenedFile opened = OpenRegularFile(path);
    if (!opened.file) {
        if (problem && !opened.missing)
            *problem = QStringLiteral("The voice-name file %1 cannot be read: %2; its names are "
                                      "not used.")
                           .arg(path, opened.problem);
        return {};
    }
    const std::optional<QByteArray> bytes = ReadAtMost(*opened.file, MaxVoiceNameFileBytes);
    if (!bytes) {
        if (problem)
            *problem = QStringLiteral("The voice-name file %1 is too large (more than %2 bytes); "
                                      "its names are not used.")
                           .arg(path)
                           .arg(MaxVoiceNameFileBytes);
        return {};
    }
    return splitVoiceNames(*bytes);
}

void ValueNameLists::Build(const QDir& startFolder) {
    ChannelNames = numbers(1, MidiChannelCount) << QStringLiteral("Omni") << QStringLiteral("Off");
    BankNames = {QStringLiteral("ROM"), QStringLiteral("User"), QStringLiteral("Card")};
    LfoSelectNames = {QStringLiteral("Off"), QStringLiteral("I"), QStringLiteral("II"),
                      QStringLiteral("Vib")};
    OutAssignNames = {QStringLiteral("Off"), QStringLiteral("I"), QStringLiteral("II"),
                      QStringLiteral("I && II")};
    OffOnNames = {QStringLiteral("Off"), QStringLiteral("On")};
    Bias50Names = numbers(-50, 50);
    Transpose24Names = numbers(-24, 24);
    Detune7Names = numbers(-7, 7);
    Tune64Names = numbers(-64, 64);
    NoteNames = noteNames();
    ReadProblems.clear();
    const auto read = [&](const char* name) {
        QString problem;
        const QStringList names =
            readVoiceNames(startFolder.filePath(QString::fromLatin1(name)), &problem);
        if (!problem.isEmpty())
            ReadProblems << problem;
        return names;
    };
    RomVoiceNames = read(RomNamesFile);
    UserVoiceNames = read(UserNamesFile);
    CardVoiceNames = read(CardNamesFile);
    RomNumbers = voiceNumbers("ROM ");
    UserNumbers = voiceNumbers("User ");
    CardNumbers = voiceNumbers("Card ");
}

const QStringList& ValueNameLists::VoiceNames(int bank) const {
    return bank == 1 ? UserVoiceNames : bank == 2 ? CardVoiceNames : RomVoiceNames;
}

const QStringList& ValueNameLists::VoiceNumbers(int bank) const {
    return bank == 1 ? UserNumbers : bank == 2 ? CardNumbers : RomNumbers;
}
