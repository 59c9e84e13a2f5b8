#pragma once

#include "midi/midi_backend.h"

#include <QString>
#include <optional>

// What --api names: one of the machine's MIDI systems, or the in-process devices ("virtual").
struct MidiApi {
    bool inProcess = false;
    MidiBackend backend = MidiBackend::PlatformDefault;
};
// "alsa", "jack" or "virtual", in any case; nothing for anything else.
std::optional<MidiApi> ParseMidiApi(const QString& name);
