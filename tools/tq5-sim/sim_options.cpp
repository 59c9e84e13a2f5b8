#include "sim_options.h"

#include "command_line.h"

namespace {

const char* const Description =
    R"(A simulated TQ5: a synth that keeps to the editor's SysEx protocol, on
virtual MIDI ports of ALSA or JACK, so that the editor can be tried without the
instrument.

It opens two ports, "NAME:MIDI Out" (what it sends; choose it as the editor's
synth input) and "NAME In:MIDI In" (what it receives; choose it as the editor's
synth output). It applies parameter changes (groups 0x10, 0x12, 0x13, 0x24),
answers the voice and multi dump requests with bulk messages of device 00, and
stores the voice and multi bulk messages it is sent. Anything else is ignored.

Voices: the library holds three built-in voices (numbers 0, 1, 2), then the
--voice file and the patch files given as arguments, in that order.

Commands on standard input, one per line:
  program N    make library voice N current and send a program change
  dump         send the current voice (four bulk messages)
  dump multi   send the current multi (two bulk messages)
  quit         end
The program also ends at the end of its input and on SIGTERM or SIGINT.

The log (--log) holds one JSON object per line for each message received:
  {"time": seconds since start, "bytes": "F0 43 ...", "change": "what it did"}

Exit codes: 0 done, 1 a file or the MIDI system cannot be used, 2 bad arguments.)";

} // namespace

std::optional<SimOptions> ParseSimOptions(const QStringList& arguments, int& exitCode) {
    CommandLine commandLine(QStringLiteral("tq5-sim"), QString::fromUtf8(Description));
    QCommandLineParser& parser = commandLine.Parser();
    const QCommandLineOption api(
        QStringLiteral("api"),
        QStringLiteral("MIDI system: alsa or jack (default: %1 on this machine, which is ALSA "
                       "when its sequencer is there, else JACK).")
            .arg(MidiBackendName(ResolveBackend(MidiBackend::PlatformDefault))),
        QStringLiteral("alsa|jack"));
    const QCommandLineOption name(QStringLiteral("name"),
                                  QStringLiteral("Name of the ports' client (default: \"TQ5 "
                                                 "Simulator\")."),
                                  QStringLiteral("NAME"));
    const QCommandLineOption voice(
        QStringLiteral("voice"),
        QStringLiteral("Start with the voice of this patch file (default: the first built-in "
                       "voice)."),
        QStringLiteral("FILE"));
    const QCommandLineOption multi(
        QStringLiteral("multi"),
        QStringLiteral("Start with the multi of this multi file (default: all zero)."),
        QStringLiteral("FILE"));
    const QCommandLineOption log(
        QStringLiteral("log"),
        QStringLiteral("Write one JSON line per received message here (default: no log)."),
        QStringLiteral("FILE"));
    parser.addOptions({api, name, voice, multi, log});
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("Patch files for the voice library."),
                                 QStringLiteral("[FILE...]"));

    if (const auto code = commandLine.Parse(arguments)) {
        exitCode = *code;
        return std::nullopt;
    }
    auto fail = [&](const QString& message) {
        exitCode = commandLine.Fail(message);
        return std::nullopt;
    };
    SimOptions options;
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
    options.voiceFile = parser.value(voice);
    options.multiFile = parser.value(multi);
    options.logFile = parser.value(log);
    options.libraryFiles = parser.positionalArguments();
    return options;
}
