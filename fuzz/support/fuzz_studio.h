#pragma once

#include "edit/editor.h"
#include "edit/system_services.h"
#include "support/direct_midi_service.h"
#include "support/recording_prompter.h"
#include "support/scratch_folder.h"
#include "views/headless_controls.h"

#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

// An editor as the bridge runs it, on three devices of the direct MIDI service ("Synth" in and
// out, "BCR" in and out, "Keys" sending only), headless controls and doubles that never block:
// boxes are recorded and questions answered No, pauses take no time, a file dialog answers with
// ChosenFile, chance repeats itself.
//
// Built once per process: building an editor costs milliseconds, far more than an input. It
// starts as the program does, and the synth answers its requests with a voice and a multi of
// start values, so that every input finds the first multi dump already taken. Begin brings back
// what an input may have changed and later inputs would depend on.
//
// Nothing catches what a handler raises, unlike the program's top level: the service never fails
// a send, so an error out of a handler is the program's own and ends the process as a crash.
class FuzzStudio {
public:
    using Message = std::vector<std::uint8_t>;

    // The one studio of the process, made on first use (with the Qt application it needs).
    static FuzzStudio& Get();

    // What Begin sends again. The voice: its records, the rows' last values, operator 1 selected
    // and every operator on, a request of the controller's answered, and the start modulation
    // group selected (what controller input changes, and what a patch load starts from). The
    // multi: its records (what a multi load starts from).
    enum Restore : unsigned { Nothing = 0, Voice = 1, Multi = 2 };

    // Starts an input on the given page, after sending the synth's answers again where asked: no
    // message begun on any input, no box on record, file dialogs cancelled.
    Editor& Begin(Editor::Page page, unsigned restore);
    // The device sends one chunk of bytes.
    void Inject(const QString& device, std::span<const std::uint8_t> bytes);
    // Returns once every notification of the ports has been handled. A chain of messages that
    // never ends is a fault, and aborts.
    void Settle();

    QString FolderFile(const QString& name) const { return dir_.filePath(name); }
    // The path the file dialogs answer with; nothing cancels them.
    std::optional<QString> ChosenFile;
    RecordingPrompter prompts;

private:
    class ChosenFiles;
    FuzzStudio();
    void sendVoice();
    void sendMulti();
    void showPage(Editor::Page page);

    QTemporaryDir dir_{ScratchFolderTemplate()};
    DirectMidiService midi_;
    std::unique_ptr<FileChooser> files_;
    MemorySettings settings_;
    std::unique_ptr<Clock> clock_;
    std::unique_ptr<Sleeper> sleeper_;
    std::unique_ptr<RandomSource> random_;
    HeadlessControls controls_;
    std::optional<Editor> editor_;
    std::vector<Message> voice_; // the synth's answer to a voice request, message by message
    std::vector<Message> multi_;
};

// Splits a fuzz input into chunks as a MIDI driver hands them over: each chunk is a header byte
// followed by up to 127 bytes; the header's low seven bits give the count (an input that ends
// early gives a shorter last chunk), and its top bit says the chunk arrives before the editor has
// taken what came before.
class Chunks {
public:
    explicit Chunks(std::span<const std::uint8_t> input) : rest_(input) {}

    struct Chunk {
        std::span<const std::uint8_t> bytes;
        bool early;
    };
    std::optional<Chunk> Next();

private:
    std::span<const std::uint8_t> rest_;
};

// Feeds the chunks to the device: each is handed in once the editor has taken the ones before,
// unless it comes early.
void InjectChunks(FuzzStudio& studio, const QString& device, std::span<const std::uint8_t> input);
