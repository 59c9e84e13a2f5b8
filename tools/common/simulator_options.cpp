#include "simulator_options.h"

SimulatorCommandLine::SimulatorCommandLine(const QString& program, const QString& description,
                                           const QString& defaultName, const QString& logHelp)
    : CommandLine(program, description), defaultName_(defaultName),
      api_(QStringLiteral("api"),
           QStringLiteral("MIDI system: alsa or jack (default: %1 on this machine, which is ALSA "
                          "when its sequencer is there, else JACK).")
               .arg(MidiBackendName(ResolveBackend(MidiBackend::PlatformDefault))),
           QStringLiteral("alsa|jack")),
      name_(QStringLiteral("name"),
            QStringLiteral("Name of the ports' client (default: \"%1\").").arg(defaultName),
            QStringLiteral("NAME")),
      log_(QStringLiteral("log"), logHelp, QStringLiteral("FILE")) {
    Parser().addOptions({api_, name_, log_});
}

std::optional<SimulatorPorts> SimulatorCommandLine::ParsePorts(const QStringList& arguments,
                                                               int& exitCode) {
    if (const auto code = Parse(arguments)) {
        exitCode = *code;
        return std::nullopt;
    }
    const auto fail = [&](const QString& message) {
        exitCode = Fail(message);
        return std::nullopt;
    };
    QCommandLineParser& parser = Parser();
    SimulatorPorts ports;
    if (parser.isSet(api_)) {
        const auto backend = ParseMidiBackend(parser.value(api_));
        if (!backend || *backend == MidiBackend::PlatformDefault)
            return fail(
                QStringLiteral("--api takes alsa or jack, not \"%1\"").arg(parser.value(api_)));
        ports.backend = *backend;
    }
    ports.name = parser.isSet(name_) ? parser.value(name_) : defaultName_;
    if (ports.name.isEmpty())
        return fail(QStringLiteral("the name must not be empty"));
    ports.logFile = parser.value(log_);
    return ports;
}
