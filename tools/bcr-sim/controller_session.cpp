#include "controller_session.h"

#include "element_text.h"
#include "model/bounded_read.h"
#include "named_files.h"

namespace {
// A controller preset is some tens of kilobytes; a far larger file is the wrong one.
constexpr qint64 MaxPresetFileBytes = qint64(1) << 20;
} // namespace

ControllerSession::ControllerSession(const ControllerOptions& options) {
    for (const QString& path : options.presetFiles)
        if (!loadPreset(path))
            return;
    if (!log_.Open(options.ports.logFile, problem_))
        return;
    endpoint_ = std::make_unique<RtMidiEndpoint>(options.ports.backend, options.ports.name);
    // Only now may a message come in: its answer goes out through endpoint_.
    endpoint_->Start([this](std::span<const std::uint8_t> message) { received(message); });
    problem_ = endpoint_->Problem();
}

ControllerSession::~ControllerSession() {
    // Before anything the handler uses goes, endpoint_ included.
    if (endpoint_)
        endpoint_->Stop();
}

// Every F0..F7 message of the file, as if uploaded; the first refused line stops the loading.
bool ControllerSession::loadPreset(const QString& path) {
    QString problem;
    const auto file = OpenForReading(path, FileKinds::RegularOnly, problem);
    if (!file) {
        problem_ = QStringLiteral("cannot read %1: %2").arg(path, problem);
        return false;
    }
    const std::optional<QByteArray> read = ReadAtMost(*file, MaxPresetFileBytes);
    if (!read) {
        problem_ = QStringLiteral("%1 is too large for a preset file (more than %2 bytes)")
                       .arg(path)
                       .arg(MaxPresetFileBytes);
        return false;
    }
    const QByteArray& bytes = *read;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    qsizetype start = -1;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (data[i] == 0xF0)
            start = i;
        if (data[i] != 0xF7 || start < 0)
            continue;
        const std::size_t answered = controller_.Answers().size();
        controller_.Receive({data + start, std::size_t(i - start + 1)});
        start = -1;
        if (controller_.Answers().size() == answered)
            continue;
        const SimulatedController::Answer& answer = controller_.Answers().back();
        if (answer.error != BclInterpreter::Accepted) {
            problem_ = QStringLiteral("%1: line %2 \"%3\" refused: %4 (%5)")
                           .arg(path)
                           .arg(answer.index)
                           .arg(answer.text)
                           .arg(answer.error)
                           .arg(Bcl::ErrorText(answer.error));
            return false;
        }
    }
    return true;
}

QString ControllerSession::PortsLine() const {
    return QStringLiteral("bcr-sim: receiving on \"%1\", sending on \"%2\"")
        .arg(endpoint_->ReceivingPort(), endpoint_->SendingPort());
}

void ControllerSession::received(std::span<const std::uint8_t> message) {
    std::lock_guard lock(mutex_);
    const SimulatedController::Outcome outcome = controller_.Receive(message);
    log_.Write(message, outcome.Changes.join(QStringLiteral("; ")));
    for (const SimulatedController::Message& answer : outcome.Sent)
        endpoint_->Send(answer);
}

// Sends what a turn or a press sent, logging each message with the change it belongs to (a change
// that sent nothing with no bytes), and says in short what happened to the element.
QString ControllerSession::act(const QString& name, const ControllerElement& element, int before,
                               const SimulatedController::Outcome& outcome) {
    std::size_t next = 0;
    for (qsizetype change = 0; change < outcome.Changes.size(); ++change) {
        const std::size_t count = outcome.SentByChange[std::size_t(change)];
        if (count == 0)
            log_.Write({}, outcome.Changes[change]);
        for (std::size_t i = next; i < next + count; ++i) {
            endpoint_->Send(outcome.Sent[i]);
            log_.Write(outcome.Sent[i], outcome.Changes[change]);
        }
        next += count;
    }
    if (!element.sends())
        return QStringLiteral("%1 is not defined").arg(name);
    if (outcome.Sent.empty())
        return QStringLiteral("%1 stays at %2, the end of its range").arg(name).arg(before);
    return QStringLiteral("%1: %2 -> %3 (%4 sent)")
        .arg(name)
        .arg(before)
        .arg(element.value)
        .arg(outcome.Sent.size());
}

QString ControllerSession::show(const QString& kind, const QString& numberWord) const {
    const bool encoder = kind == QLatin1String("encoder");
    bool isNumber = false;
    const int number = numberWord.toInt(&isNumber);
    const int count = encoder ? ControllerPreset::EncoderCount : ControllerPreset::ButtonCount;
    if ((!encoder && kind != QLatin1String("button")) || !isNumber || number < 1 || number > count)
        return QStringLiteral(
            "show takes encoder 1..56 or button 1..64, as in \"show encoder 33\"");
    return ElementText(QStringLiteral("%1 %2").arg(kind).arg(number),
                       encoder ? controller_.Encoder(number) : controller_.Button(number), encoder);
}

bool ControllerSession::Command(const QString& line, QTextStream& out) {
    const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return true;
    const QString& verb = words.first();
    bool isNumber = false;
    const int number = words.size() > 1 ? words[1].toInt(&isNumber) : 0;
    std::lock_guard lock(mutex_);
    if (verb == QLatin1String("quit") && words.size() == 1)
        return false;
    if (verb == QLatin1String("turn") && words.size() == 3) {
        bool isSteps = false;
        const int steps = words[2].toInt(&isSteps);
        if (!isNumber || number < 1 || number > ControllerPreset::EncoderCount || !isSteps) {
            out << "turn takes an encoder 1..56 and a number of steps, as in \"turn 33 +3\"\n";
        } else {
            const int before = controller_.Encoder(number).value;
            const auto outcome = controller_.Turn(number, steps);
            out << act(QStringLiteral("encoder %1").arg(number), controller_.Encoder(number),
                       before, outcome)
                << "\n";
        }
    } else if (verb == QLatin1String("press") && words.size() == 2) {
        if (!isNumber || number < 1 || number > ControllerPreset::ButtonCount) {
            out << "press takes a button 1..64\n";
        } else {
            const int before = controller_.Button(number).value;
            const auto outcome = controller_.Press(number);
            out << act(QStringLiteral("button %1").arg(number), controller_.Button(number), before,
                       outcome)
                << "\n";
        }
    } else if (verb == QLatin1String("show") && words.size() == 3) {
        out << show(words[1], words[2]) << "\n";
    } else {
        out << "unknown command \"" << line.trimmed()
            << "\" (turn N STEPS, press N, show encoder|button N, quit)\n";
    }
    out.flush();
    return true;
}
