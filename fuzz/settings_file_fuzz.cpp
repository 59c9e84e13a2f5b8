// The settings file, as hand edits and other programs may leave it: read with the keys and
// defaults the editor uses, then every key written, which a new reading of the file must give
// back exactly.
#include "app/ini_file.h"
#include "support/scratch_folder.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <cstdlib>

namespace {
struct Setting {
    const char* section;
    const char* key;
    QVariant start;   // the editor's default, whose type says how the value is read
    QVariant written; // what the editor then stores
};

const Setting Settings[] = {
    {"MidiDevices", "Input", QStringLiteral("None"), QStringLiteral("Synth In 1")},
    {"MidiDevices", "Output", QStringLiteral("None"), QStringLiteral("Synth Out")},
    {"MidiDevices", "CtrlInput", QStringLiteral("None"), QStringLiteral("BCR2000 Port 1")},
    {"MidiDevices", "CtrlOutput", QStringLiteral("None"), QStringLiteral("None")},
    {"MidiDevices", "KbdInput", QStringLiteral("None"), QStringLiteral("Keys, 2 (USB)")},
    {"MouseWheel", "Jump", 3, 12},
    {"Modulation", "Start", 1, 0},
    {"Envelope", "TimeReverse", true, false},
};

QString text(const char* latin1) {
    return QString::fromLatin1(latin1);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir folder(ScratchFolderTemplate());
    const QString path = folder.filePath(QStringLiteral("marrowlink.INI"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
            qFatal("cannot write %s", qUtf8Printable(path));
    }
    QStringList problems;
    const auto onProblem = [&](const QString& problem) { problems << problem; };
    {
        IniFile settings(path, onProblem);
        for (const Setting& s : Settings)
            settings.Value(text(s.section), text(s.key), s.start);
        for (const Setting& s : Settings)
            settings.SetValue(text(s.section), text(s.key), s.written);
    }
    if (!problems.isEmpty())
        return 0; // a file it could not read or write is reported, and kept as it was
    const IniFile again(path);
    for (const Setting& s : Settings) {
        const QVariant read = again.Value(text(s.section), text(s.key), s.start);
        if (read != s.written) {
            std::fprintf(stderr, "[%s] %s was written as \"%s\" and read back as \"%s\"\n",
                         s.section, s.key, qUtf8Printable(s.written.toString()),
                         qUtf8Printable(read.toString()));
            std::abort();
        }
    }
    return 0;
}
