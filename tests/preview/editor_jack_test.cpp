#include "audio_peer.h"
#include "edit/editor.h"
#include "edit/system_services.h"
#include "editor_preview.h"
#include "midi/midi_service_factory.h"
#include "model/control_names.h"
#include "preview/jack_preview.h"
#include "support/editor_fixture.h"
#include "support/jack_peer.h"
#include "support/midi_wait.h"
#include "support/private_jack_test.h"
#include "test_voices.h"
#include "views/headless_controls.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <optional>

namespace {

// The editor on JACK with a keyboard peer as its keyboard input, playing the preview, which an
// audio peer listens to.
class EditorPreviewOnJack : public PrivateJackTest {
protected:
    void SetUp() override {
        PrivateJackTest::SetUp();
        if (HasFatalFailure())
            return;
        const QString pid = QString::number(QCoreApplication::applicationPid());
        keyboard = std::make_unique<JackPeer>(QStringLiteral("keys-") + pid);
        ASSERT_TRUE(keyboard->Problem().isEmpty());
        listener = std::make_unique<AudioPeer>(QStringLiteral("ears-") + pid);
        ASSERT_TRUE(listener->Running());
        service = MakeMidiService(MidiBackend::Jack);
        settings.SetValue(QStringLiteral("MidiDevices"), QStringLiteral("KbdInput"),
                          keyboard->SendingPort());
        editor = std::make_unique<Editor>(*service, doubles.services(controls));
        editor->StartUp();
        ConnectPreview(*editor, preview);
        editor->TakeLibraryVoice(LoneCarrier());
        const std::optional<QString> problem = preview.Start();
        ASSERT_FALSE(problem) << problem->toStdString();
        const QStringList ours = preview.OutputPorts();
        for (int i = 0; i < 2; ++i)
            ASSERT_EQ(jack_connect(listener->Client(), ours[i].toUtf8().constData(),
                                   listener->Input(i).toUtf8().constData()),
                      0);
        WaitUntil([] { return false; }, 300); // new connections need a moment
    }

    // The frame time of the first cycle from `from` on whose loudest sample passes the test.
    template <class Test> std::optional<jack_nframes_t> firstCycle(jack_nframes_t from, Test test) {
        std::optional<jack_nframes_t> found;
        WaitUntil(
            [&] {
                for (const AudioPeer::Cycle& c : listener->Cycles())
                    if (jack_nframes_t(c.frameTime - from) < (1u << 30) && test(c.peak)) {
                        found = c.frameTime;
                        return true;
                    }
                return false;
            },
            1000);
        return found;
    }

    EditorDoubles doubles{EditorDoubles::Synth::Plain};
    MemorySettings& settings = doubles.settings;
    HeadlessControls controls{EditorControls()};
    std::unique_ptr<JackPeer> keyboard;
    std::unique_ptr<AudioPeer> listener;
    std::unique_ptr<MidiService> service;
    JackPreview preview; // outlives the editor that plays it
    std::unique_ptr<Editor> editor;
};

TEST_F(EditorPreviewOnJack, AKeyboardNoteSoundsWithinTwoPeriodsAndAnEditWithinOne) {
    const jack_nframes_t period = listener->Period();
    listener->Clear();
    const jack_nframes_t noteAt = listener->Now();
    keyboard->Send({0x90, A4, 100});
    const auto sounding = firstCycle(noteAt, [](float peak) { return peak > 0.01f; });
    ASSERT_TRUE(sounding) << "the keyboard's note was not heard";
    EXPECT_LE(*sounding - noteAt, 2 * period);

    WaitUntil([] { return false; }, 100); // past the attack
    Voice quieter = LoneCarrier();
    quieter.Set(VoiceParam::Op(0, OpField::Out), 79); // 15 dB down
    editor->TakeLibraryVoice(quieter);
    // From the moment the change path has made the edit.
    const jack_nframes_t editAt = listener->Now();
    const auto edited = firstCycle(editAt, [](float peak) { return peak < 0.1f; });
    ASSERT_TRUE(edited) << "the edit was not heard";
    // Now() is libjack's estimate from the last cycle's start, which the dummy driver keeps only
    // roughly on a busy machine: a cycle may begin a little before the estimate says.
    EXPECT_LE(*edited - editAt, period + period / 8);
    keyboard->Send({0x80, A4, 0});
}

} // namespace
