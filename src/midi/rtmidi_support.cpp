#include "midi/rtmidi_support.h"

void RtMidiErrors::Record(RtMidiError::Type type, const std::string& text, void* errors) {
    auto* self = static_cast<RtMidiErrors*>(errors);
    self->failed = true;
    self->type = type;
    self->text = text;
}

MidiResult RtMidiErrors::Result() const {
    if (!failed)
        return MidiOk;
    switch (type) {
    case RtMidiError::NO_DEVICES_FOUND:
    case RtMidiError::INVALID_DEVICE:
    case RtMidiError::INVALID_PARAMETER:
        return MidiNoDevice;
    case RtMidiError::MEMORY_ERROR:
        return MidiNoMemory;
    default:
        return MidiFailed;
    }
}

RtMidi::Api RtMidiApiOf(MidiBackend backend) {
    switch (ResolveBackend(backend)) {
    case MidiBackend::Alsa:
        return RtMidi::LINUX_ALSA;
    case MidiBackend::Jack:
        return RtMidi::UNIX_JACK;
    case MidiBackend::PlatformDefault:
        break;
    }
    return RtMidi::UNSPECIFIED;
}
