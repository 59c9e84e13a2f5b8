#include "preset_options.h"

#include "command_line.h"

namespace {

const char* const Description =
    R"(Writes the BCR2000 preset files the editor uploads to the controller:
  Marrowlink.SYX       every encoder and key, laid out like the patch page
  Marrowlink_Rev.SYX   the four envelope-rate encoders, counting down clockwise
  Marrowlink_Norm.SYX  the same four, counting up clockwise
Each file is BCL text, one SysEx message a line, to any device number. Without
--store the files only set the controller's edit buffer and never overwrite a
preset stored on it.
Exit codes: 0 done, 2 bad arguments or a file that cannot be written.)";

constexpr int LastPreset = 32;

} // namespace

std::optional<PresetOptions> ParsePresetOptions(const QStringList& arguments, int& exitCode) {
    CommandLine commandLine(QStringLiteral("bcr-presets"), QString::fromUtf8(Description));
    QCommandLineParser& parser = commandLine.Parser();
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Where to write the files (default: the current "
                                                   "folder)."),
                                    QStringLiteral("DIR"));
    const QCommandLineOption store(QStringLiteral("store"),
                                   QStringLiteral("Also store it as preset N (default: do not "
                                                  "store)."),
                                   QStringLiteral("1..32"));
    parser.addOptions({output, store});
    if (const auto code = commandLine.Parse(arguments)) {
        exitCode = *code;
        return std::nullopt;
    }
    const auto fail = [&](const QString& message) {
        exitCode = commandLine.Fail(message);
        return std::nullopt;
    };
    PresetOptions options;
    if (parser.isSet(output))
        options.folder = parser.value(output);
    if (options.folder.isEmpty())
        return fail(QStringLiteral("the output folder must not be empty"));
    if (parser.isSet(store)) {
        bool number = false;
        const int preset = parser.value(store).toInt(&number);
        if (!number || preset < 1 || preset > LastPreset)
            return fail(QStringLiteral("--store takes a preset number from 1 to 32, not \"%1\"")
                            .arg(parser.value(store)));
        options.store = preset;
    }
    return options;
}
