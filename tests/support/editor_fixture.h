#pragma once

#include "edit/editor.h"
#include "edit/system_services.h"
#include "midi/virtual_midi_service.h"
#include "model/control_names.h"
#include "sim/simulated_synth_device.h"
#include "support/record_values.h"
#include "support/recording_prompter.h"
#include "views/headless_controls.h"

#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <vector>

// File dialogs answered from a script (cancel when it runs out); every request is kept.
class ScriptedFiles : public FileChooser {
public:
    std::optional<QString> OpenFile(const FileDialogRequest& request) override;
    std::optional<QString> SaveFile(const FileDialogRequest& request) override;
    std::optional<QString> OpenFolder(const FileDialogRequest& request) override;
    std::deque<std::optional<QString>> answers;
    std::vector<FileDialogRequest> requests;

private:
    std::optional<QString> next(const FileDialogRequest& request);
};

class FixedClock : public Clock {
public:
    QTime TimeOfDay() const override { return time; }
    qint64 ElapsedMs() const override { return elapsed; }
    QTime time{12, 34, 56, 789};
    qint64 elapsed = 0;
};

class RecordingSleeper : public Sleeper {
public:
    void SleepMs(int milliseconds) override {
        sleeps.push_back(milliseconds);
        if (whileAsleep)
            whileAsleep();
    }
    std::vector<int> sleeps;
    // Runs in each pause, to see where the pauses fall.
    std::function<void()> whileAsleep;
};

// Draws scripted numbers (each taken modulo the range) and then the lowest value, or the highest
// when highestWhenEmpty is set.
class ScriptedRandom : public RandomSource {
public:
    void Seed(std::uint32_t value) override { seeds.push_back(value); }
    int Random(int range) override;
    std::deque<int> values;
    bool highestWhenEmpty = false;
    std::vector<std::uint32_t> seeds;
    std::vector<int> ranges;
};

// The in-process MIDI service with three devices, "Synth" (in and out), "BCR" (in and out) and
// "Keys" (sends only), the doubles an editor needs, and a start folder of its own.
class EditorDoubles {
public:
    using Message = VirtualMidiService::Message;

    enum class Synth { Plain, Simulated };
    explicit EditorDoubles(Synth synth);

    // Stores the five devices as the devices to restore at start-up.
    void rememberAllDevices();
    // The controller sends a message; returns once the editor has handled it.
    void fromController(Message bytes);
    void cc(int number, int value) {
        fromController({0xB0, std::uint8_t(number), std::uint8_t(value)});
    }
    void fromSynth(Message bytes);
    void fromKeyboard(Message bytes);
    void settle();

    std::vector<Message> toSynth() const { return midi.Received(QStringLiteral("Synth")); }
    std::vector<Message> toController() const { return midi.Received(QStringLiteral("BCR")); }
    void clearSent();
    QString folderFile(const QString& name) const { return dir.filePath(name); }
    EditorServices services(ControlLookup& controls) {
        return {controls, prompts, files, settings, clock, sleeper, random, QDir(dir.path())};
    }

    QTemporaryDir dir;
    VirtualMidiService midi;
    RecordingPrompter prompts;
    ScriptedFiles files;
    MemorySettings settings;
    FixedClock clock;
    RecordingSleeper sleeper;
    ScriptedRandom random;
    std::unique_ptr<SimulatedSynthDevice> simulator; // the "Synth" device, when simulated
};

// An editor on headless controls and the doubles.
class EditorFixture : public EditorDoubles {
public:
    explicit EditorFixture(Synth synth = Synth::Plain);

    // Runs the start-up sequence with all five devices chosen, then forgets what it sent.
    void startWithDevices();
    // Switches to the Multipart page and forgets the mode messages and the request it sent.
    void showMultipartPage();
    // Steps the modulation group with its button until it is the given one, and forgets the
    // echoes.
    void selectModGroup(int group);

    QString caption(const char* name) {
        return controls.Caption(QString::fromLatin1(name)).caption;
    }
    KnobValue& knob(const char* name) { return controls.Knob(QString::fromLatin1(name)); }
    // The value of the voice or the multi that the record shows.
    int val(const TSyx_Param& record) const {
        return ValueOf(editor.Map(), editor.CurrentVoice(), editor.CurrentMulti(), record);
    }

    HeadlessControls controls{EditorControls()};
    Editor editor;
};

// Short ways to write the messages the tests expect.
EditorFixture::Message paramChange(int group, int para, int value);
EditorFixture::Message echo(int cc, int value);
// The four messages of a voice, as the synth gets a whole voice.
std::vector<EditorFixture::Message> wholeVoice(const Voice& voice);
