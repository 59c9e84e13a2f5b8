#include "render_command.h"

#include "bad_input.h"
#include "console.h"
#include "files/file_io.h"
#include "input_file.h"
#include "named_files.h"
#include "preview/wav_file.h"
#include "synth/message_decode.h"

namespace {

constexpr double LongestHeldSeconds = 600;
constexpr int LowestRate = 8000;
constexpr int HighestRate = 192000;

QString messageName(Sysex::Kind kind) {
    switch (kind) {
    case Sysex::Kind::VoiceBlock:
        return QStringLiteral("voice block");
    case Sysex::Kind::AddVoice:
        return QStringLiteral("additional voice");
    case Sysex::Kind::Aftertouch:
        return QStringLiteral("aftertouch");
    default:
        return QStringLiteral("effect");
    }
}

} // namespace

RenderOptions::RenderOptions(QCommandLineParser& parser)
    : parser_(parser),
      note_(QStringLiteral("note"),
            QStringLiteral("render: the MIDI note 0..127 to play (default 60, middle C)."),
            QStringLiteral("N")),
      velocity_(QStringLiteral("velocity"),
                QStringLiteral("render: the velocity 1..127 (default 100)."), QStringLiteral("V")),
      seconds_(QStringLiteral("seconds"),
               QStringLiteral("render: how long the key is held, up to 600 (default 2); the "
                              "release follows, up to 10 s more."),
               QStringLiteral("S")),
      rate_(QStringLiteral("rate"),
            QStringLiteral("render: the sample rate 8000..192000 (default 48000)."),
            QStringLiteral("R")) {
    parser.addOptions({note_, velocity_, seconds_, rate_});
}

bool RenderOptions::AnyGiven() const {
    for (const QCommandLineOption* option : {&note_, &velocity_, &seconds_, &rate_})
        if (parser_.isSet(*option))
            return true;
    return false;
}

NoteRender RenderOptions::Read() const {
    NoteRender request;
    const auto number = [&](const QCommandLineOption& option, double lowest, double highest,
                            double fallback) {
        if (!parser_.isSet(option))
            return fallback;
        bool ok = false;
        const QString text = parser_.value(option);
        const double value = text.toDouble(&ok);
        if (!ok || !(value >= lowest && value <= highest))
            throw BadInput{QStringLiteral("--%1 must be a number from %2 to %3, not \"%4\"")
                               .arg(option.names().front())
                               .arg(lowest)
                               .arg(highest)
                               .arg(text)};
        return value;
    };
    const auto whole = [&](const QCommandLineOption& option, int lowest, int highest,
                           int fallback) {
        const double value = number(option, lowest, highest, fallback);
        if (value != int(value))
            throw BadInput{QStringLiteral("--%1 must be a whole number, not \"%2\"")
                               .arg(option.names().front(), parser_.value(option))};
        return int(value);
    };
    request.note = whole(note_, 0, 127, request.note);
    request.velocity = whole(velocity_, 1, 127, request.velocity);
    request.sampleRate = whole(rate_, LowestRate, HighestRate, request.sampleRate);
    request.heldSeconds = number(seconds_, 0, LongestHeldSeconds, request.heldSeconds);
    return request;
}

Voice LoadPatchVoice(QIODevice& file, QStringList& warnings) {
    const SyxFiles::FileKind& kind = SyxFiles::PatchFile;
    const Voice start;
    SynthData data;
    for (const SyxFiles::FileMessage& m : kind.messages)
        Layouts::WriteMessage(*m.layout, start, data.*m.buffer);
    const std::vector<SyxFiles::LoadedMessage> loaded = SyxFiles::ReadForLoad(file, kind, data);
    if (loaded.empty())
        throw BadInput{QStringLiteral("the file is empty")};

    Voice voice;
    int count = 0;
    for (const SyxFiles::LoadedMessage& message : loaded) {
        const DataBuffer& buffer = data.*message.message->buffer;
        const Sysex::Format& format = message.message->layout->format;
        if (Sysex::HeaderKind(buffer.Message(), SynthDeviceNumber) != format.kind)
            throw BadInput{QStringLiteral("not a patch file: no %1 message where a patch file "
                                          "has one")
                               .arg(messageName(format.kind))};
        const Layouts::DecodedMessage decoded =
            Layouts::DecodeMessage(*message.message->layout, buffer.Message());
        for (const Layouts::DecodeProblem& problem : decoded.problems)
            warnings << Layouts::ProblemText(problem);
        Layouts::Apply(decoded, voice);
        count += message.count;
    }
    if (count < kind.length)
        warnings << QStringLiteral("the file ends after %1 of a patch file's %2 bytes; the rest "
                                   "of the voice keeps its start values")
                        .arg(count)
                        .arg(kind.length);
    return voice;
}

int RunRender(const QString& path, const QString& output, const NoteRender& request) {
    const auto file = OpenInput(path);
    QStringList warnings;
    const Voice voice = LoadPatchVoice(*file, warnings);
    for (const QString& warning : warnings)
        WriteErrorLine(warning);
    QString problem;
    const QByteArray wav = EncodeWav(RenderNote(voice, request), problem);
    if (wav.isEmpty())
        throw BadInput{output + QStringLiteral(": cannot be encoded: ") + problem};
    if (const auto error = SaveNamedFile(output, wav))
        throw BadInput{output + QStringLiteral(": cannot be written: ") + *error};
    return 0;
}
