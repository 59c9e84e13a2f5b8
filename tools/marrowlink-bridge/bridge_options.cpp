#include "bridge_options.h"

#include "command_line.h"
#include "midi_api.h"

namespace {
const char* const Description =
    "A controller bridge without a window: the BCR2000's control changes edit the TQ5's voice\n"
    "exactly as in the editor, with every echo, dump, randomise and keyboard thru.\n"
    "Devices are chosen by name (letter case ignored); message boxes are printed on standard\n"
    "error and questions answered No. SIGINT or SIGTERM close the ports and end the bridge.\n"
    "Exit codes: 0 done, 2 bad arguments or a device that does not exist.";

} // namespace

std::optional<BridgeOptions> ParseBridgeOptions(const QStringList& arguments, int& exitCode) {
    CommandLine commandLine(QStringLiteral("marrowlink-bridge"), QString::fromLatin1(Description));
    QCommandLineParser& parser = commandLine.Parser();
    const QCommandLineOption api = MidiApiOption(
        QStringLiteral("virtual, with a simulated synth, to try the bridge without hardware"));
    const QCommandLineOption synthIn(QStringLiteral("synth-in"),
                                     QStringLiteral("Input device the synth answers on (needed)."),
                                     QStringLiteral("name"));
    const QCommandLineOption synthOut(QStringLiteral("synth-out"),
                                      QStringLiteral("Output device to the synth (needed)."),
                                      QStringLiteral("name"));
    const QCommandLineOption ctrlIn(QStringLiteral("ctrl-in"),
                                    QStringLiteral("Input device from the controller (needed)."),
                                    QStringLiteral("name"));
    const QCommandLineOption ctrlOut(QStringLiteral("ctrl-out"),
                                     QStringLiteral("Output device to the controller (needed)."),
                                     QStringLiteral("name"));
    const QCommandLineOption kbdIn(
        QStringLiteral("kbd-in"),
        QStringLiteral("Input device of a keyboard (default: no keyboard)."),
        QStringLiteral("name"));
    const QCommandLineOption modGroup(
        QStringLiteral("mod-group"),
        QStringLiteral(
            "Modulation group at start: 0 aftertouch, 1 mod wheel (default), 2 breath, 3 foot."),
        QStringLiteral("0..3"));
    const QCommandLineOption folder(
        QStringLiteral("folder"),
        QStringLiteral(
            "Folder of the voice-name and controller preset files (default: the current folder)."),
        QStringLiteral("dir"));
    const QCommandLineOption sendPreset(
        QStringLiteral("send-preset"),
        QStringLiteral(
            "Send the controller preset after start-up, as answering Yes at the editor's start."));
    const QCommandLineOption listDevices(
        QStringLiteral("list-devices"),
        QStringLiteral("Print the input and output device names and end."));
    const QCommandLineOption preview(
        QStringLiteral("preview"),
        QStringLiteral("Play the voice and the keyboard on the FM preview, the JACK audio client "
                       "\"Marrowlink preview\" (an approximation of the synth's sound)."));
    parser.addOptions({api, synthIn, synthOut, ctrlIn, ctrlOut, kbdIn, modGroup, folder, sendPreset,
                       listDevices, preview});
    if (const auto code = commandLine.Parse(arguments)) {
        exitCode = *code;
        return std::nullopt;
    }
    auto fail = [&](const QString& message) {
        exitCode = commandLine.Fail(message);
        return std::nullopt;
    };

    BridgeOptions options;
    QString apiError;
    if (const std::optional<MidiApi> choice = ReadMidiApi(parser, api, apiError)) {
        if (!choice->inProcess)
            options.backend = choice->backend;
    } else if (!apiError.isEmpty()) {
        return fail(apiError);
    }
    options.listDevices = parser.isSet(listDevices);
    options.sendPreset = parser.isSet(sendPreset);
    options.preview = parser.isSet(preview);
    options.synthIn = parser.value(synthIn);
    options.synthOut = parser.value(synthOut);
    options.ctrlIn = parser.value(ctrlIn);
    options.ctrlOut = parser.value(ctrlOut);
    options.kbdIn = parser.value(kbdIn);
    options.folder = parser.value(folder);
    if (parser.isSet(modGroup)) {
        bool ok = false;
        options.modGroup = parser.value(modGroup).toInt(&ok);
        if (!ok || options.modGroup < 0 || options.modGroup > 3)
            return fail(QStringLiteral("--mod-group takes 0, 1, 2 or 3, not \"%1\"")
                            .arg(parser.value(modGroup)));
    }
    if (!options.listDevices) {
        for (const auto& [option, value] : {std::pair{&synthIn, options.synthIn},
                                            {&synthOut, options.synthOut},
                                            {&ctrlIn, options.ctrlIn},
                                            {&ctrlOut, options.ctrlOut}})
            if (value.isEmpty())
                return fail(QStringLiteral("--%1 NAME is needed (see --help)")
                                .arg(option->names().first()));
    }
    return options;
}
