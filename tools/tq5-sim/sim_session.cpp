#include "sim_session.h"

#include "model/bounded_read.h"
#include "named_files.h"

namespace {

// A patch file is 191 bytes and a multi file 139; a file far larger than that, or an endless
// device, is not read to its end.
constexpr qint64 MaxSoundFileBytes = qint64(64) << 10;

std::optional<QByteArray> readFile(const QString& path, QString& problem) {
    // Named on the command line: a FIFO or a device is taken too, and read up to the size limit.
    const auto file = OpenForReading(path, FileKinds::Any, problem);
    if (!file) {
        problem = QStringLiteral("cannot read %1: %2").arg(path, problem);
        return std::nullopt;
    }
    auto bytes = ReadAtMost(*file, MaxSoundFileBytes);
    if (!bytes)
        problem = QStringLiteral("%1 is too large for a sound file (more than %2 bytes)")
                      .arg(path)
                      .arg(MaxSoundFileBytes);
    return bytes;
}

std::span<const std::uint8_t> bytesOf(const QByteArray& data) {
    return {reinterpret_cast<const std::uint8_t*>(data.constData()), std::size_t(data.size())};
}

} // namespace

SimSession::SimSession(const SimOptions& options) {
    if (!loadFiles(options) || !log_.Open(options.ports.logFile, problem_))
        return;
    endpoint_ = std::make_unique<RtMidiEndpoint>(options.ports.backend, options.ports.name);
    // Only now may a message come in: its answer goes out through endpoint_.
    endpoint_->Start([this](std::span<const std::uint8_t> message) { received(message); });
    problem_ = endpoint_->Problem();
}

SimSession::~SimSession() {
    // Before anything the handler uses goes, endpoint_ included.
    if (endpoint_)
        endpoint_->Stop();
}

bool SimSession::loadFiles(const SimOptions& options) {
    QStringList voices = options.libraryFiles;
    if (!options.voiceFile.isEmpty())
        voices.prepend(options.voiceFile);
    for (const QString& path : voices) {
        const auto data = readFile(path, problem_);
        if (!data)
            return false;
        const auto voice = SimulatedSynth::VoiceFromFile(bytesOf(*data), problem_);
        if (!voice) {
            problem_ = QStringLiteral("%1 is no patch file: %2").arg(path, problem_);
            return false;
        }
        synth_.AddToLibrary(*voice);
        if (path == options.voiceFile)
            synth_.SetVoice(*voice);
    }
    if (!options.multiFile.isEmpty()) {
        const auto data = readFile(options.multiFile, problem_);
        if (!data)
            return false;
        const auto multi = SimulatedSynth::MultiFromFile(bytesOf(*data), problem_);
        if (!multi) {
            problem_ = QStringLiteral("%1 is no multi file: %2").arg(options.multiFile, problem_);
            return false;
        }
        synth_.SetMulti(*multi);
    }
    return true;
}

QString SimSession::PortsLine() const {
    return QStringLiteral("tq5-sim: receiving on \"%1\", sending on \"%2\"")
        .arg(endpoint_->ReceivingPort(), endpoint_->SendingPort());
}

void SimSession::received(std::span<const std::uint8_t> message) {
    std::lock_guard lock(mutex_);
    const SimulatedSynth::Outcome outcome = synth_.Receive(message);
    log_.Write(message, outcome.Change);
    send(outcome.Replies);
}

void SimSession::send(const std::vector<SimulatedSynth::Message>& messages) {
    for (const SimulatedSynth::Message& message : messages)
        endpoint_->Send(message);
}

bool SimSession::Command(const QString& line, QTextStream& out) {
    const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return true;
    const QString& verb = words.first();
    std::lock_guard lock(mutex_);
    if (verb == QLatin1String("quit") && words.size() == 1)
        return false;
    if (verb == QLatin1String("dump") && words.size() == 1) {
        send(synth_.VoiceDump());
        out << "sent the voice\n";
    } else if (verb == QLatin1String("dump") && words.size() == 2 &&
               words[1] == QLatin1String("multi")) {
        send(synth_.MultiDump());
        out << "sent the multi\n";
    } else if (verb == QLatin1String("program") && words.size() == 2) {
        bool number = false;
        const auto programChange = synth_.SelectVoice(words[1].toInt(&number));
        if (number && programChange) {
            send({*programChange});
            out << "voice " << words[1] << " selected\n";
        } else {
            out << "no voice " << words[1] << ": the library holds 0 to "
                << synth_.LibrarySize() - 1 << "\n";
        }
    } else {
        out << "unknown command \"" << line.trimmed() << "\" (program N, dump, dump multi, quit)\n";
    }
    out.flush();
    return true;
}
