#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The bridge's command line.
struct BridgeOptions {
    enum class Api { Alsa, Jack, Virtual };
    Api api = Api::Virtual;
    QString synthIn;
    QString synthOut;
    QString ctrlIn;
    QString ctrlOut;
    QString kbdIn; // empty: no keyboard
    int modGroup = 1;
    QString folder; // empty: the current folder
    bool sendPreset = false;
    bool listDevices = false;
};

// The options, or nothing after a message on standard error (error set) or the help text on
// standard output (error clear).
std::optional<BridgeOptions> ParseBridgeOptions(const QStringList& arguments, bool& error);
