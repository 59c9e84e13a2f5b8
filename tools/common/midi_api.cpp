#include "midi_api.h"

std::optional<MidiApi> ParseMidiApi(const QString& name) {
    if (name.compare(QStringLiteral("virtual"), Qt::CaseInsensitive) == 0)
        return MidiApi{true, MidiBackend::PlatformDefault};
    const std::optional<MidiBackend> backend = ParseMidiBackend(name);
    if (!backend || *backend == MidiBackend::PlatformDefault)
        return std::nullopt;
    return MidiApi{false, *backend};
}
