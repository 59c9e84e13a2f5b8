#pragma once

#include "midi/midi_backend.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <optional>

// What --api names: one of the machine's MIDI systems, or the in-process devices ("virtual").
struct MidiApi {
    bool inProcess = false;
    MidiBackend backend = MidiBackend::PlatformDefault;
};
// "alsa", "jack" or "virtual", in any case; nothing for anything else.
std::optional<MidiApi> ParseMidiApi(const QString& name);

// The --api option of the window and the bridge; its help ends with what the program does without
// it and names this machine's own system.
QCommandLineOption MidiApiOption(const QString& withoutIt);
// What the parsed --api says: nothing when it is not given. A value it cannot take sets error.
std::optional<MidiApi> ReadMidiApi(const QCommandLineParser& parser,
                                   const QCommandLineOption& option, QString& error);
