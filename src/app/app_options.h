#pragma once

#include "midi/midi_backend.h"

#include <QString>
#include <QStringList>
#include <optional>

// The window program's command line.
struct AppOptions {
    enum class Api { Platform, Virtual };
    Api api = Api::Platform;
    MidiBackend backend = MidiBackend::PlatformDefault; // with Api::Platform
    QString settingsFile;                               // empty: the usual place
    QString libraryFile;                                // empty: the usual place
    bool demo = false;
    bool batch = false;
    bool sendPreset = false;
    QString screenshotFolder; // empty: no screenshots
};

// The options, or nothing when the program must end at once: after --help or --version (exitCode
// 0) or a bad command line (a message on standard error, exitCode 2).
std::optional<AppOptions> ParseAppOptions(const QStringList& arguments, int& exitCode);
