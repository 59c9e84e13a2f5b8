#pragma once

#include "midi/midi_backend.h"
#include "midi/midi_service.h"

#include <QString>
#include <memory>

// The service for a MIDI system chosen in the settings: JACK on libjack (JackMidiService); ALSA
// and the other platforms' own systems on RtMidi (RtMidiService). The service's ports belong to a
// client of this name. Throws when the MIDI system cannot be used at all.
std::unique_ptr<MidiService>
MakeMidiService(MidiBackend backend, const QString& clientName = QStringLiteral("Marrowlink"));
