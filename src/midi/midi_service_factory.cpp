#include "midi/midi_service_factory.h"

#include "midi/jack_service.h"
#include "midi/rtmidi_service.h"

std::unique_ptr<MidiService> MakeMidiService(MidiBackend backend, const QString& clientName) {
    const MidiBackend resolved = ResolveBackend(backend);
    if (resolved == MidiBackend::Jack)
        return std::make_unique<JackMidiService>(clientName);
    return std::make_unique<RtMidiService>(resolved, clientName);
}
