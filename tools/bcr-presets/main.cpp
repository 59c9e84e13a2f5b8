// bcr-presets: writes the controller preset files (see --help).
#include "command_line.h"
#include "model/bcl_sysex.h"
#include "preset_options.h"
#include "preset_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int exitCode = 0;
    const auto options = ParsePresetOptions(ArgumentsOf(argc, argv), exitCode);
    if (!options)
        return exitCode;

    QTextStream err(stderr);
    const QDir folder(options->folder);
    if (!folder.exists()) {
        err << "bcr-presets: no folder " << options->folder << "\n";
        return 2;
    }
    QTextStream out(stdout);
    for (const PresetFile& preset : PresetFiles(options->store)) {
        const QString path = folder.filePath(preset.name);
        // Written aside and renamed: a failed write leaves the old file as it was.
        QSaveFile file(path);
        const QByteArray bytes = Bcl::LineMessages(preset.lines);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
            !file.commit()) {
            err << "bcr-presets: cannot write " << path << ": " << file.errorString() << "\n";
            return 2;
        }
        out << "wrote " << path << " (" << preset.lines.size() << " lines)\n";
    }
    return 0;
}
