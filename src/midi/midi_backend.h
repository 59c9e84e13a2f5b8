#pragma once

#include <QString>
#include <optional>

// Which MIDI system the program uses: a setting (MakeMidiService makes its service). The platform
// default is ALSA on Linux when its sequencer is there, else JACK; elsewhere the platform's native
// system.
enum class MidiBackend { PlatformDefault, Alsa, Jack };

// "default", "alsa" or "jack", in any case; nothing for anything else.
std::optional<MidiBackend> ParseMidiBackend(const QString& text);
QString MidiBackendName(MidiBackend backend);
// The backend a setting stands for on this machine (PlatformDefault only where RtMidi chooses
// the platform's native system).
MidiBackend ResolveBackend(MidiBackend requested);
