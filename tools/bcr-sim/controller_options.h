#pragma once

#include "simulator_options.h"

#include <QString>
#include <QStringList>
#include <optional>

struct ControllerOptions {
    SimulatorPorts ports;    // the log: one JSON line per received message and element change
    QStringList presetFiles; // loaded in order before the ports open
};

// The options, or nothing when the program should end at once: after --help or --version
// (exitCode 0) or a bad command line (a message on standard error, exitCode 2).
std::optional<ControllerOptions> ParseControllerOptions(const QStringList& arguments,
                                                        int& exitCode);
