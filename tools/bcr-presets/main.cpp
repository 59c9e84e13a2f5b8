// bcr-presets: writes the controller preset files (see --help).
#include "command_line.h"
#include "files/safe_save.h"
#include "model/bcl_sysex.h"
#include "named_files.h"
#include "preset_options.h"
#include "preset_text.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString program = QStringLiteral("bcr-presets");
    return RunReporting(program, [&] {
        int exitCode = 0;
        const auto options = ParsePresetOptions(ArgumentsOf(argc, argv), exitCode);
        if (!options)
            return exitCode;
        const QDir folder(options->folder);
        if (!folder.exists())
            return PrintFailure(program, QStringLiteral("no folder ") + options->folder);
        for (const PresetFile& preset : PresetFiles(options->store)) {
            const QString path = folder.filePath(preset.name);
            if (const auto error = SafeSave::WriteAtomically(SystemFiles(), FileNameBytes(path),
                                                             Bcl::LineMessages(preset.lines)))
                return PrintFailure(program,
                                    QStringLiteral("cannot write %1: %2").arg(path, *error));
            std::printf("wrote %s (%d lines)\n", path.toLocal8Bit().constData(),
                        int(preset.lines.size()));
        }
        return 0;
    });
}
