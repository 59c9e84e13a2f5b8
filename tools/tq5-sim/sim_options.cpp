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
    SimulatorCommandLine commandLine(
        QStringLiteral("tq5-sim"), QString::fromUtf8(Description), QStringLiteral("TQ5 Simulator"),
        QStringLiteral("Write one JSON line per received message here (default: no log)."));
    QCommandLineParser& parser = commandLine.Parser();
    const QCommandLineOption voice(
        QStringLiteral("voice"),
        QStringLiteral("Start with the voice of this patch file (default: the first built-in "
                       "voice)."),
        QStringLiteral("FILE"));
    const QCommandLineOption multi(
        QStringLiteral("multi"),
        QStringLiteral("Start with the multi of this multi file (default: all zero)."),
        QStringLiteral("FILE"));
    parser.addOptions({voice, multi});
    commandLine.AddArgument(QStringLiteral("files"),
                            QStringLiteral("Patch files for the voice library."),
                            QStringLiteral("[FILE...]"));
    const std::optional<SimulatorPorts> ports = commandLine.ParsePorts(arguments, exitCode);
    if (!ports)
        return std::nullopt;
    SimOptions options;
    options.ports = *ports;
    options.voiceFile = parser.value(voice);
    options.multiFile = parser.value(multi);
    options.libraryFiles = parser.positionalArguments();
    return options;
}
