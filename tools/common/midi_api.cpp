#include "midi_api.h"

std::optional<MidiApi> ParseMidiApi(const QString& name) {
    if (name.compare(QStringLiteral("virtual"), Qt::CaseInsensitive) == 0)
        return MidiApi{true, MidiBackend::PlatformDefault};
    const std::optional<MidiBackend> backend = ParseMidiBackend(name);
    if (!backend || *backend == MidiBackend::PlatformDefault)
        return std::nullopt;
    return MidiApi{false, *backend};
}

QCommandLineOption MidiApiOption(const QString& withoutIt) {
    return QCommandLineOption(
        QStringLiteral("api"),
        QStringLiteral("MIDI system: alsa, jack or virtual (in-process devices). Default: %1; %2 "
                       "is this machine's own system (ALSA where its sequencer is, else JACK).")
            .arg(withoutIt, MidiBackendName(ResolveBackend(MidiBackend::PlatformDefault))),
        QStringLiteral("alsa|jack|virtual"));
}

std::optional<MidiApi> ReadMidiApi(const QCommandLineParser& parser,
                                   const QCommandLineOption& option, QString& error) {
    if (!parser.isSet(option))
        return std::nullopt;
    const std::optional<MidiApi> choice = ParseMidiApi(parser.value(option));
    if (!choice)
        error = QStringLiteral("--api takes alsa, jack or virtual, not \"%1\"")
                    .arg(parser.value(option));
    return choice;
}
