#pragma once

#include "midi/midi_backend.h"

#include <QString>
#include <QStringList>
#include <optional>

// The bridge's command line.
struct BridgeOptions {
    // Nothing: the in-process devices (a simulated synth and idle controller and keyboard).
    std::optional<MidiBackend> backend;
    QString synthIn;
    QString synthOut;
    QString ctrlIn;
    QString ctrlOut;
    QString kbdIn; // empty: no keyboard
    int modGroup = 1;
    QString folder; // empty: the current folder
    bool sendPreset = false;
    bool listDevices = false;
    bool preview = false;
};

// The options, or nothing when the bridge must end at once: after --help or --version (exitCode
// 0) or a bad command line (a message on standard error, exitCode 2).
std::optional<BridgeOptions> ParseBridgeOptions(const QStringList& arguments, int& exitCode);
