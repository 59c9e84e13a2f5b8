#pragma once

#include <QString>
#include <QStringList>
#include <optional>

struct PresetOptions {
    QString folder = QStringLiteral(".");
    std::optional<int> store; // the preset number each file stores into, if any
};

// The options, or nothing when the program should end at once: after --help or --version
// (exitCode 0) or a bad command line (a message on standard error, exitCode 2).
std::optional<PresetOptions> ParsePresetOptions(const QStringList& arguments, int& exitCode);
