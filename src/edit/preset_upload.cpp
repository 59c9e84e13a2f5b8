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
#include <algorithm>

namespace {
constexpr qsizetype MaxMessageLength = 0xFFFF; // the ports take 16-bit lengths
constexpr int PresetPauseMs = 10;
// How long the controller may take to answer a line before it counts as not answering.
constexpr int AnswerWaitMs = 200;
constexpr int AnswerPollMs = 1;
// A controller preset is some tens of kilobytes; a file beyond this (a link to an endless device)
// is refused, not read into memory.
constexpr qint64 MaxPresetFileBytes = qint64(1) << 20;
const char* const PresetMissingText = "Can't Find BCR sysex file (%1) ";
// The splash's opacity falls by one step for every this many bytes sent.
constexpr int BytesPerFadeStep = 32;
} // namespace

PresetUpload::PresetUpload(EditorPorts& ports, Prompter& prompts, Sleeper& sleeper,
                           const QDir& startFolder, const PageControls& controls)
    : ports_(ports), prompts_(prompts), sleeper_(sleeper), startFolder_(startFolder),
      controls_(controls) {}

void PresetUpload::SendControllerPreset(const QString& fileName) {
    // The window goes on painting during an upload: one asked for meanwhile is not started.
    if (uploading_)
        return;
    const QString path = startFolder_.filePath(fileName);
    if (!QFile::exists(path)) {
        prompts_.Message(QString::fromLatin1(PresetMissingText).arg(fileName));
        return;
    }
    uploading_ = true;
    if (controls_.bLoadBCR)
        controls_.bLoadBCR->SetEnabled(false);
    ScopeExit done([this] {
        uploading_ = false;
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
    ++file_;
    // Answers to the file before this one may still come; those to older files will not.
    std::erase_if(unanswered_, [this](const SentLine& line) { return line.file < file_ - 1; });
    failure_.reset();
    lateRefusal_.reset();
    // What the controller sent meanwhile is handed on afterwards, also when a port fails.
    ScopeExit handOn([this] {
        if (ports_.ControllerInputChosen())
            takeControllerInput();
        std::vector<std::unique_ptr<TMyMidiEvent>> held = std::move(heldInput_);
        heldInput_.clear();
        if (OnOtherControllerInput)
            for (const auto& event : held)
                OnOtherControllerInput(*event);
    });
    const bool toSplash = splashFade_ && splash_;
    bool awaitAnswers = ports_.ControllerInputChosen();
    int sent = 0;
    forEachMessage(bytes, [&](qsizetype start, qsizetype end) {
        if (failure_)
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
        const auto send = [&] { ports_.MidiPCtoBC().PutLong(data + start, std::uint16_t(length)); };
        send();
        if (toSplash) {
            splash_->SetOpacity(int((255 - end / BytesPerFadeStep) & 0xFF));
            splash_->SetProgress(sent, total);
        } else if (OnProgress) {
            OnProgress(sent, total);
        }
        const std::optional<Bcl::Line> line = Bcl::ReadLine({data + start, std::size_t(length)});
        if (line)
            unanswered_.push_back({file_, line->index, fileName, line->text});
        if (!awaitAnswers || !line) {
            sleeper_.SleepMs(PresetPauseMs);
            // Kept from overflowing, and a late refusal is still heard.
            if (ports_.ControllerInputChosen())
                takeControllerInput();
            if (lateRefusal_)
                fail(*lateRefusal_);
            return;
        }
        std::optional<int> answer = awaitAnswer(line->index, AnswerWaitMs);
        if (!answer && controllerAnswered_) {
            send();
            unanswered_.push_back({file_, line->index, fileName, line->text});
            answer = awaitAnswer(line->index, AnswerWaitMs);
            if (!answer) {
                fail(QStringLiteral("The controller stopped answering at line %1 of %2 (\"%3\"), "
                                    "also when it was sent again. The rest of the file was not "
                                    "sent: the controller's presets are incomplete. Check the "
                                    "controller and its cables, then send the presets again.")
                         .arg(line->index)
                         .arg(fileName, line->text));
                return;
            }
        } else if (!answer) {
            // A controller's first answer may be slow.
            answer = awaitAnswer(line->index, AnswerWaitMs);
            if (!answer) {
                awaitAnswers = false;
                prompts_.Warning(
                    QStringLiteral("The controller did not answer line %1 of %2 (\"%3\"). The "
                                   "rest of the file is sent without waiting for answers; check "
                                   "that the controller's output is chosen as \"From <- BCR\".")
                        .arg(line->index)
                        .arg(fileName, line->text));
                return;
            }
        }
        if (*answer != Bcl::Accepted)
            fail(refusalText({file_, line->index, fileName, line->text}, *answer));
        else if (lateRefusal_)
            fail(*lateRefusal_);
    });
    if (!toSplash && OnFinished)
        OnFinished(failure_);
}

std::optional<int> PresetUpload::awaitAnswer(int index, int waitMs) {
    waitingFor_ = index;
    answer_.reset();
    ScopeExit stopWaiting([this] { waitingFor_.reset(); });
    QElapsedTimer waited;
    waited.start();
    while (!answer_ && waited.elapsed() < waitMs) {
        takeControllerInput();
        if (!answer_)
            sleeper_.SleepMs(AnswerPollMs);
    }
    if (answer_ && waited.elapsed() < PresetPauseMs)
        sleeper_.SleepMs(int(PresetPauseMs - waited.elapsed()));
    return answer_;
}

void PresetUpload::takeControllerInput() {
    TMidiInput& input = ports_.MidiBCtoPC();
    while (input.GetEventCount() > 0) {
        std::unique_ptr<TMyMidiEvent> event = input.GetMidiEvent();
        if (!event)
            break;
        const std::optional<Bcl::Reply> reply =
            event->SysexSize > 0
                ? Bcl::ReadReply({event->SysexBytes.get(), std::size_t(event->SysexSize)})
                : std::nullopt;
        if (!reply) {
            heldInput_.push_back(std::move(event));
            continue;
        }
        const auto answered =
            std::find_if(unanswered_.begin(), unanswered_.end(),
                         [&](const SentLine& l) { return l.index == reply->index; });
        if (answered == unanswered_.end())
            continue; // an answer to nothing this editor sent
        controllerAnswered_ = true;
        const SentLine line = *answered;
        unanswered_.erase(answered);
        if (line.file == file_ && waitingFor_ == line.index)
            answer_ = reply->error;
        else if (reply->error != Bcl::Accepted && !lateRefusal_)
            lateRefusal_ = refusalText(line, reply->error);
    }
}

QString PresetUpload::refusalText(const SentLine& line, int error) {
    return QStringLiteral("The controller refused line %1 of %2 (\"%3\"): error %4, %5. The rest "
                          "of the file was not sent.")
        .arg(line.index)
        .arg(line.fileName, line.text)
        .arg(error)
        .arg(Bcl::ErrorText(error));
}

void PresetUpload::fail(const QString& text) {
    prompts_.Error(text);
    failure_ = text;
}
