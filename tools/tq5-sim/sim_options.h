#pragma once

#include "simulator_options.h"

#include <QString>
#include <QStringList>
#include <optional>

struct SimOptions {
    SimulatorPorts ports;     // the log has one JSON line per received message
    QString voiceFile;        // the first voice, else the first built-in one
    QString multiFile;        // the first multi, else all zero
    QStringList libraryFiles; // patch files added to the voice library
};

// The options, or nothing when the program should end at once: after --help (exitCode 0) or a bad
// command line (a message on standard error, exitCode 2).
std::optional<SimOptions> ParseSimOptions(const QStringList& arguments, int& exitCode);
