#include "support/fuzz_studio.h"

#include "midi/port_notifier.h"
#include "model/control_names.h"
#include "model/parameter_map.h"
#include "synth/bulk_layout.h"
#include "synth/data_buffers.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <cstdio>
#include <cstdlib>

namespace {
constexpr int StartModGroup = 1;

class NoonClock : public Clock {
public:
    QTime TimeOfDay() const override { return QTime(12, 0); }
    qint64 ElapsedMs() const override { return 0; }
};

class NoSleep : public Sleeper {
public:
    void SleepMs(int) override {}
};

// The same numbers after every seed, so that an input does the same whenever it runs.
class RepeatableRandom : public RandomSource {
public:
    void Seed(std::uint32_t) override { next_ = 1; }
    int Random(int range) override {
        next_ = next_ * 1103515245u + 12345u;
        return range < 1 ? 0 : int((next_ >> 16) % std::uint32_t(range));
    }

private:
    std::uint32_t next_ = 1;
};

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// The bulk messages of a voice and a multi at their start values.
std::vector<FuzzStudio::Message>
startMessages(std::initializer_list<const Layouts::BulkLayout*> layouts) {
    Voice voice;
    voice.SetName(QStringLiteral("Start"));
    const Multi multi;
    std::vector<FuzzStudio::Message> messages;
    for (const Layouts::BulkLayout* layout : layouts) {
        DataBuffer buffer(200);
        if (layout->target == Layouts::Target::Voice)
            Layouts::WriteMessage(*layout, voice, buffer);
        else
            Layouts::WriteMessage(*layout, multi, buffer);
        messages.emplace_back(buffer.Data(), buffer.Data() + buffer.Length);
    }
    return messages;
}
} // namespace

class FuzzStudio::ChosenFiles : public FileChooser {
public:
    explicit ChosenFiles(FuzzStudio& studio) : studio_(studio) {}
    std::optional<QString> OpenFile(const FileDialogRequest&) override {
        return studio_.ChosenFile;
    }
    std::optional<QString> SaveFile(const FileDialogRequest&) override {
        return studio_.ChosenFile;
    }
    // The fuzzed paths never import a folder into the library.
    std::optional<QString> OpenFolder(const FileDialogRequest&) override { return std::nullopt; }

private:
    FuzzStudio& studio_;
};

FuzzStudio& FuzzStudio::Get() {
    application();
    static FuzzStudio studio;
    return studio;
}

FuzzStudio::FuzzStudio()
    : files_(std::make_unique<ChosenFiles>(*this)), clock_(std::make_unique<NoonClock>()),
      sleeper_(std::make_unique<NoSleep>()), random_(std::make_unique<RepeatableRandom>()),
      controls_(EditorControls()),
      voice_(startMessages(
          {&Layouts::AddVoice, &Layouts::Aftertouch, &Layouts::VoiceEffect, &Layouts::VoiceBlock})),
      multi_(startMessages({&Layouts::MultiEffect, &Layouts::MultiBlock})) {
    midi_.AddDevice(QStringLiteral("Synth"));
    midi_.AddDevice(QStringLiteral("BCR"));
    midi_.AddDevice(QStringLiteral("Keys"), true);
    const QString section = QStringLiteral("MidiDevices");
    settings_.SetValue(section, QStringLiteral("Input"), QStringLiteral("Synth"));
    settings_.SetValue(section, QStringLiteral("Output"), QStringLiteral("Synth"));
    settings_.SetValue(section, QStringLiteral("CtrlInput"), QStringLiteral("BCR"));
    settings_.SetValue(section, QStringLiteral("CtrlOutput"), QStringLiteral("BCR"));
    settings_.SetValue(section, QStringLiteral("KbdInput"), QStringLiteral("Keys"));

    editor_.emplace(midi_, EditorServices{controls_, prompts, *files_, settings_, *clock_,
                                          *sleeper_, *random_, QDir(dir_.path())});
    editor_->StartUp();
    Settle();
    // Start-up asked for the multi and then the voice; the synth answers both.
    sendMulti();
    showPage(Editor::Page::Patch);
    sendVoice();
}

void FuzzStudio::showPage(Editor::Page page) {
    const bool multi = page == Editor::Page::Multipart;
    if (editor_->State().MultiMode != multi)
        editor_->pcModeChange(page);
    Settle();
}

void FuzzStudio::sendVoice() {
    for (const Message& message : voice_)
        Inject(QStringLiteral("Synth"), message);
    Settle();
}

void FuzzStudio::sendMulti() {
    // An effect dump is the multi's on the multipart page only.
    showPage(Editor::Page::Multipart);
    for (const Message& message : multi_)
        Inject(QStringLiteral("Synth"), message);
    Settle();
}

Editor& FuzzStudio::Begin(Editor::Page page, unsigned restore) {
    Settle();
    midi_.ForgetPartialMessages();
    if (restore & Multi)
        sendMulti();
    if (restore & Voice) {
        // An effect dump is the voice's on the patch page only.
        showPage(Editor::Page::Patch);
        // A voice the controller asked for is counted message by message: its count runs out
        // first, so that the last voice refreshes everything.
        while (editor_->State().PatchRequestedByController)
            sendVoice();
        sendVoice();
        for (int step = 0; step < 4 && editor_->State().ModGroup != StartModGroup; ++step)
            editor_->lModGroupClick();
    }
    showPage(page);
    ChosenFile.reset();
    prompts.shown.clear();
    return *editor_;
}

void FuzzStudio::Inject(const QString& device, std::span<const std::uint8_t> bytes) {
    midi_.Inject(device, bytes);
}

void FuzzStudio::Settle() {
    const QDeadlineTimer deadline(10000);
    while (PortNotifier::Outstanding() > 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (deadline.hasExpired()) {
            std::fprintf(stderr, "MIDI did not settle: %d notifications outstanding\n",
                         PortNotifier::Outstanding());
            std::abort();
        }
    }
}

std::optional<Chunks::Chunk> Chunks::Next() {
    if (rest_.empty())
        return std::nullopt;
    const std::uint8_t header = rest_[0];
    rest_ = rest_.subspan(1);
    const std::size_t count = std::min<std::size_t>(header & 0x7F, rest_.size());
    const Chunk chunk{rest_.first(count), (header & 0x80) != 0};
    rest_ = rest_.subspan(count);
    return chunk;
}

void InjectChunks(FuzzStudio& studio, const QString& device, std::span<const std::uint8_t> input) {
    Chunks chunks(input);
    while (const auto chunk = chunks.Next()) {
        if (!chunk->early)
            studio.Settle();
        studio.Inject(device, chunk->bytes);
    }
    studio.Settle();
}
