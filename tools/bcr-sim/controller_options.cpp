#include "controller_options.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace {

const char* const Description =
    R"(A simulated BCR2000 controller on virtual MIDI ports of ALSA or JACK, so
that the controller presets and the editor can be tried without the hardware.

It opens two ports, "NAME:MIDI Out" (what it sends; choose it as the editor's
controller input) and "NAME In:MIDI In" (what it receives; choose it as the
editor's controller output). It takes preset lines in the controller's
language (BCL, one SysEx message a line) and answers each with
F0 00 20 32 00 15 21 iMSB iLSB ERR F7, ERR 0 when the line is accepted; it
keeps every encoder's and button's definition and value, and shows the control
changes it receives on the elements that send them.

Preset files given as arguments are loaded in order before the ports open.

Commands on standard input, one per line:
  turn N STEPS   turn encoder N (1..56) by STEPS detents, clockwise when positive
  press N        press and release button N (1..64)
  quit           end
The program also ends at the end of its input and on SIGTERM or SIGINT.

The log (--log) holds one JSON object per line for each message received and
for each element changed by a turn or a press:
  {"time": seconds since start, "bytes": "B0 18 03", "change": "what it did"})";

} // namespace

std::optional<ControllerOptions> ParseControllerOptions(const QStringList& arguments,
                                                        int& exitCode) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(Description));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Show the program's version."));
    const QCommandLineOption api(QStringLiteral("api"),
                                 QStringLiteral("MIDI system: alsa or jack (default: ALSA when its "
                                                "sequencer is there, else JACK)."),
                                 QStringLiteral("alsa|jack"));
    const QCommandLineOption name(QStringLiteral("name"),
                                  QStringLiteral("Name of the ports' client (default: \"BCR "
                                                 "Simulator\")."),
                                  QStringLiteral("NAME"));
    const QCommandLineOption log(QStringLiteral("log"),
                                 QStringLiteral("Write one JSON line per received message and per "
                                                "element change here (default: no log)."),
                                 QStringLiteral("FILE"));
    parser.addOptions({help, version, api, name, log});
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("Preset files to load at start."),
                                 QStringLiteral("[FILE...]"));

    QTextStream err(stderr);
    const auto fail = [&](const QString& text) {
        err << "bcr-sim: " << text << "\n";
        exitCode = 2;
        return std::nullopt;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    exitCode = 0;
    if (parser.isSet(help)) {
        QTextStream(stdout) << parser.helpText();
        return std::nullopt;
    }
    if (parser.isSet(version)) {
        QTextStream(stdout) << "bcr-sim " << MARROWLINK_VERSION << "\n";
        return std::nullopt;
    }
    ControllerOptions options;
    if (parser.isSet(api)) {
        const auto backend = ParseMidiBackend(parser.value(api));
        if (!backend || *backend == MidiBackend::PlatformDefault)
            return fail(
                QStringLiteral("--api takes alsa or jack, not \"%1\"").arg(parser.value(api)));
        options.backend = *backend;
    }
    if (parser.isSet(name))
        options.name = parser.value(name);
    if (options.name.isEmpty())
        return fail(QStringLiteral("the name must not be empty"));
    options.logFile = parser.value(log);
    options.presetFiles = parser.positionalArguments();
    return options;
}
