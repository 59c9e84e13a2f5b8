#include "controller_options.h"

namespace {

const char* const Description =
    R"(A simulated BCR2000 controller on virtual MIDI ports of ALSA or JACK, so
that controller presets and the editor can be tried without the hardware.

It opens two ports, "NAME:MIDI Out" (what it sends; choose it as the editor's
controller input) and "NAME In:MIDI In" (what it receives; choose it as the
editor's controller output). It takes preset lines in the controller's
language (BCL, one SysEx message a line) and answers each with
F0 00 20 32 00 15 21 iMSB iLSB ERR F7, ERR 0 when the line is accepted, and
an identity request (F0 00 20 32 7F 7F 01 F7) with "BCR2000 1.10". It keeps
every encoder's and button's definition and value: CC, NRPN, note, program
change, pitch bend and aftertouch elements in their absolute, 14-bit,
relative, inc/dec and key modes, and .tx output; it shows the values it
receives on the elements whose definitions send them.

Preset files given as arguments are loaded in order before the ports open.

Commands on standard input, one per line:
  turn N STEPS          turn encoder N (1..56) by STEPS detents, clockwise
                        when positive
  press N               press and release button N (1..64)
  show encoder|button N what the element sends and shows
  quit                  end
The program also ends at the end of its input and on SIGTERM or SIGINT.
Exit codes: 0 done, 1 a file or the MIDI system cannot be used, 2 bad arguments.

The log (--log) holds one JSON object per line for each message received and
for each message a turn or a press sent:
  {"time": seconds since start, "bytes": "B0 18 03", "change": "what it did"})";

} // namespace

std::optional<ControllerOptions> ParseControllerOptions(const QStringList& arguments,
                                                        int& exitCode) {
    SimulatorCommandLine commandLine(
        QStringLiteral("bcr-sim"), QString::fromUtf8(Description), QStringLiteral("BCR Simulator"),
        QStringLiteral("Write one JSON line per received message and per element change here "
                       "(default: no log)."));
    commandLine.AddArgument(QStringLiteral("files"),
                            QStringLiteral("Preset files to load at start (default: none)."),
                            QStringLiteral("[FILE...]"));
    const std::optional<SimulatorPorts> ports = commandLine.ParsePorts(arguments, exitCode);
    if (!ports)
        return std::nullopt;
    return ControllerOptions{*ports, commandLine.Parser().positionalArguments()};
}
