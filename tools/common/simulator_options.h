#pragma once

#include "command_line.h"
#include "midi/midi_backend.h"

#include <QString>
#include <optional>

// Where a simulator's ports are and what it logs.
struct SimulatorPorts {
    MidiBackend backend = MidiBackend::PlatformDefault;
    QString name;
    QString logFile; // empty: no log
};

// A simulator's command line: the programs' style with --api alsa|jack, --name NAME and
// --log FILE. Simulators add their own options to Parser() before ParsePorts.
class SimulatorCommandLine : public CommandLine {
public:
    SimulatorCommandLine(const QString& program, const QString& description,
                         const QString& defaultName, const QString& logHelp);

    // The ports, or nothing when the program must end at once, with exitCode set: after --help
    // or --version (0), or a bad argument (2).
    std::optional<SimulatorPorts> ParsePorts(const QStringList& arguments, int& exitCode);

private:
    QString defaultName_;
    QCommandLineOption api_;
    QCommandLineOption name_;
    QCommandLineOption log_;
};
