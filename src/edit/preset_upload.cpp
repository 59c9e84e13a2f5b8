#include "edit/preset_upload.h"

#include "edit/editor_ports.h"
#include "edit/page_controls.h"
#include "edit/scope_exit.h"
#include "midi/midi_ports.h"
#include "model/bcl_sysex.h"
#include "model/bounded_read.h"
#include "model/domain.h"
#include "views/prompts.h"
#include "views/services.h"
#include "views/views.h"

#include <QElapsedTimer>
#include <QFile>

namespace {
constexpr qsizetype MaxMessageLength = 0xFFFF; // the ports take 16-bit lengths
constexpr int PresetPauseMs = 10;
// How long the controller may take to answer a line before it counts as not answering.
constexpr int AnswerWaitMs = 200;
constexpr int AnswerPollMs = 1;
// A controller preset is some tens of kilobytes; a file beyond this (a link to an endless device)
// is refused, not read into memory.
constexpr qint64 MaxPresetFileBytes = qint64(1) << 20;
const char* const PresetMissingText = "Can't Find BCR sysex file (Marrowlink.SYX) ";
// The splash's opacity falls by one step for every this many bytes sent.
constexpr int BytesPerFadeStep = 32;
} // namespace

PresetUpload::PresetUpload(EditorPorts& ports, Prompter& prompts, Sleeper& sleeper,
                           const QDir& startFolder, const PageControls& controls)
    : ports_(ports), prompts_(prompts), sleeper_(sleeper), startFolder_(startFolder),
      controls_(controls) {}

void PresetUpload::SendControllerPreset(const QString& fileName) {
    const QString path = startFolder_.filePath(fileName);
    if (!QFile::exists(path)) {
        prompts_.Message(QString::fromLatin1(PresetMissingText));
        return;
    }
    if (controls_.bLoadBCR)
        controls_.bLoadBCR->SetEnabled(false);
    ScopeExit done([this] {
        if (controls_.bLoadBCR)
            controls_.bLoadBCR->SetEnabled(true);
        splashFade_ = false;
    });
    const OpenedFile file = OpenRegularFile(path);
    if (!file.file) {
        prompts_.Error(
            QStringLiteral("Can't read BCR sysex file (%1): %2").arg(fileName, file.problem));
        return;
    }
    const std::optional<QByteArray> bytes = ReadAtMost(*file.file, MaxPresetFileBytes);
    if (!bytes) {
        prompts_.Error(QStringLiteral("The BCR sysex file (%1) is too large: more than %2 bytes")
                           .arg(fileName)
                           .arg(MaxPresetFileBytes));
        return;
    }
    if (!ports_.ControllerOutputChosen()) {
        prompts_.Warning(QStringLiteral("No Midi output device selected for the BCR"));
        return;
    }
    sendMessages(fileName, *bytes);
}

namespace {
// Calls send(start, end) for each message of the file as it is framed: from the most recent F0 to
// each F7 after it. An F7 before any F0 ends no message.
template <class Send> void forEachMessage(const QByteArray& bytes, Send send) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    qsizetype start = -1;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (data[i] == MidiStatus::SysexStart)
            start = i;
        else if (data[i] == MidiStatus::SysexEnd && start >= 0)
            send(start, i);
    }
}
} // namespace

void PresetUpload::sendMessages(const QString& fileName, const QByteArray& bytes) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    int total = 0;
    forEachMessage(bytes, [&](qsizetype, qsizetype) { ++total; });
    // What the controller sent meanwhile is handed on afterwards, also when a port fails.
    ScopeExit handOn([this] {
        std::vector<std::unique_ptr<TMyMidiEvent>> held = std::move(heldInput_);
        heldInput_.clear();
        if (OnOtherControllerInput)
            for (const auto& event : held)
                OnOtherControllerInput(*event);
    });
    bool awaitAnswers = ports_.ControllerInputChosen();
    bool refused = false;
    int sent = 0;
    forEachMessage(bytes, [&](qsizetype start, qsizetype end) {
        if (refused)
            return;
        // Every message goes out whole, however long; one the port cannot carry is reported
        // rather than cut.
        const qsizetype length = end - start + 1;
        ++sent;
        if (length > MaxMessageLength) {
            prompts_.Error(
                QStringLiteral("A message of %1 bytes in the BCR sysex file is too long to send")
                    .arg(length));
            return;
        }
        ports_.MidiPCtoBC().PutLong(data + start, std::uint16_t(length));
        if (splashFade_ && splash_) {
            splash_->SetOpacity(int((255 - end / BytesPerFadeStep) & 0xFF));
            splash_->SetProgress(sent, total);
        }
        const std::optional<Bcl::Line> line = Bcl::ReadLine({data + start, std::size_t(length)});
        if (!awaitAnswers || !line) {
            sleeper_.SleepMs(PresetPauseMs);
            return;
        }
        const std::optional<int> answer = awaitAnswer(line->index);
        if (!answer) {
            awaitAnswers = false;
            prompts_.Warning(
                QStringLiteral("The controller did not answer line %1 of %2 (\"%3\"). The rest "
                               "of the file is sent without waiting for answers; check that the "
                               "controller's output is chosen as \"From <- BCR\".")
                    .arg(line->index)
                    .arg(fileName, line->text));
        } else if (*answer != Bcl::Accepted) {
            refused = true;
            prompts_.Error(QStringLiteral("The controller refused line %1 of %2 (\"%3\"): error "
                                          "%4, %5. The rest of the file was not sent.")
                               .arg(line->index)
                               .arg(fileName, line->text)
                               .arg(*answer)
                               .arg(Bcl::ErrorText(*answer)));
        }
    });
}

std::optional<int> PresetUpload::awaitAnswer(int index) {
    TMidiInput& input = ports_.MidiBCtoPC();
    QElapsedTimer waited;
    waited.start();
    std::optional<int> answer;
    while (!answer && waited.elapsed() < AnswerWaitMs) {
        while (!answer && input.GetEventCount() > 0) {
            std::unique_ptr<TMyMidiEvent> event = input.GetMidiEvent();
            if (!event)
                break;
            const std::optional<Bcl::Reply> reply =
                event->SysexSize > 0
                    ? Bcl::ReadReply({event->SysexBytes.get(), std::size_t(event->SysexSize)})
                    : std::nullopt;
            if (reply && reply->index == index)
                answer = reply->error;
            else if (!reply)
                heldInput_.push_back(std::move(event));
        }
        if (!answer)
            sleeper_.SleepMs(AnswerPollMs);
    }
    if (answer && waited.elapsed() < PresetPauseMs)
        sleeper_.SleepMs(int(PresetPauseMs - waited.elapsed()));
    return answer;
}
