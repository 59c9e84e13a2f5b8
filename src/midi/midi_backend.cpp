#include "midi/midi_backend.h"

#include <unistd.h>

std::optional<MidiBackend> ParseMidiBackend(const QString& text) {
    const QString name = text.trimmed().toLower();
    if (name == QLatin1String("default"))
        return MidiBackend::PlatformDefault;
    if (name == QLatin1String("alsa"))
        return MidiBackend::Alsa;
    if (name == QLatin1String("jack"))
        return MidiBackend::Jack;
    return std::nullopt;
}

QString MidiBackendName(MidiBackend backend) {
    switch (backend) {
    case MidiBackend::Alsa:
        return QStringLiteral("alsa");
    case MidiBackend::Jack:
        return QStringLiteral("jack");
    case MidiBackend::PlatformDefault:
        break;
    }
    return QStringLiteral("default");
}

MidiBackend ResolveBackend(MidiBackend requested) {
#ifdef __linux__
    if (requested == MidiBackend::PlatformDefault)
        return ::access("/dev/snd/seq", R_OK | W_OK) == 0 ? MidiBackend::Alsa : MidiBackend::Jack;
#endif
    return requested;
}
