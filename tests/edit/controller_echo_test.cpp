#include "dump_messages.h"
#include "edit/system_services.h"
#include "midi/midi_errors.h"
#include "model/bcl_sysex.h"
#include "support/editor_fixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using Messages = std::vector<EditorFixture::Message>;

class RecordingSplash : public SplashView {
public:
    void SetOpacity(int alpha) override { opacities.push_back(alpha); }
    void SetProgress(int sent, int total) override { progress.emplace_back(sent, total); }
    std::vector<int> opacities;
    std::vector<std::pair<int, int>> progress;
};

struct ControllerFeedback : ::testing::Test {
    EditorFixture f;
    Editor& e = f.editor;
    RecordingSplash splash;

    void SetUp() override {
        e.SetSplash(&splash);
        f.startWithDevices();
    }
    // Uploads a preset file the way the envelope option does (the Rev file while the box is
    // checked) and returns what reached the controller before the option's four rate echoes.
    Messages uploadRev(const QByteArray& bytes) {
        writePreset("Marrowlink_Rev.SYX", bytes);
        f.controls.Toggle(QStringLiteral("cbEnvRev")).checked = true;
        e.cbEnvRevClick();
        f.settle();
        Messages sent = f.toController();
        EXPECT_GE(sent.size(), RateEchoes);
        sent.resize(sent.size() - std::min(sent.size(), RateEchoes));
        return sent;
    }
    static constexpr std::size_t RateEchoes = 4;
    void writePreset(const char* name, const QByteArray& bytes) {
        QFile file(f.folderFile(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray message(int n, int length = 6) {
        QByteArray m(length, char(n & 0x7F));
        m[0] = char(0xF0);
        m[length - 1] = char(0xF7);
        return m;
    }
    static EditorFixture::Message bytes(const QByteArray& m) {
        return {reinterpret_cast<const std::uint8_t*>(m.constData()),
                reinterpret_cast<const std::uint8_t*>(m.constData()) + m.size()};
    }
};

TEST_F(ControllerFeedback, ScreenKnobEditIsEchoed) {
    f.knob("Knob26").UserSetPosition(5);
    f.settle();
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 53, 5)});
    EXPECT_EQ(f.toController(), Messages{echo(26, 5)});
    // A knob moved by the program, unarmed, does nothing.
    f.clearSent();
    f.knob("Knob26").SetPosition(6);
    f.settle();
    EXPECT_TRUE(f.toSynth().empty());
    EXPECT_TRUE(f.toController().empty());
}

TEST_F(ControllerFeedback, PresetOfTenMessagesPausesAfterEach) {
    QByteArray file;
    for (int n = 0; n < 10; ++n)
        file += message(n, 5 + n);
    Messages expected;
    for (int n = 0; n < 10; ++n)
        expected.push_back(bytes(message(n, 5 + n)));
    EXPECT_EQ(uploadRev(file), expected);
    EXPECT_EQ(f.sleeper.sleeps, std::vector<int>(10, 10));
    EXPECT_FALSE(e.SplashFade());
    EXPECT_TRUE(f.controls.Caption(QStringLiteral("bLoadBCR")).enabled);
}

TEST_F(ControllerFeedback, FramingSkipsStrayBytesAndResendsOnAStrayF7) {
    QByteArray file = QByteArray("\xF7\x01\x02", 3); // F7 before any F0: nothing
    file += message(1);
    file += QByteArray("\x05\xF7", 2);     // a stray F7 sends again from the last F0
    file += QByteArray("\xF0\x11\x12", 3); // no F7: never sent
    const QByteArray again = message(1) + QByteArray("\x05\xF7", 2);
    EXPECT_EQ(uploadRev(file), (Messages{bytes(message(1)), bytes(again)}));
}

TEST_F(ControllerFeedback, LongPresetMessageGoesOutWhole) {
    const Messages sent = uploadRev(message(3, 3000));
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].size(), 3000u);
}

TEST_F(ControllerFeedback, SplashFadesByOffsetAndWraps) {
    QByteArray file(8192 + 1, '\x00');
    file[0] = char(0xF0);
    file[8191] = char(0xF7); // ends at 8191: opacity 0
    file[8192] = char(0xF7); // a stray F7 at 8192: opacity 255 again
    uploadRev(file);
    EXPECT_EQ(splash.opacities, (std::vector<int>{0, 255}));
    EXPECT_EQ(splash.progress, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}}));
    // Only the first upload fades.
    uploadRev(file);
    EXPECT_EQ(splash.opacities.size(), 2u);
}

TEST_F(ControllerFeedback, EachPauseFollowsItsOwnMessage) {
    std::vector<std::size_t> sentBeforePause;
    f.sleeper.whileAsleep = [&] {
        f.midi.WaitIdle();
        sentBeforePause.push_back(f.toController().size());
    };
    uploadRev(message(1) + message(2) + message(3));
    EXPECT_EQ(sentBeforePause, (std::vector<std::size_t>{1, 2, 3}));
}

TEST_F(ControllerFeedback, AGroupChangeTellsRowsZeroToThreeWhatTheControllerShows) {
    f.cc(0, 10);        // the mod wheel group's row 0
    e.lModGroupClick(); // breath, echoed on CC 0..3
    const int shown = f.val(*e.Map().Mod(2).Variant[0]);
    ASSERT_NE(shown, 10);
    f.clearSent();
    f.cc(0, shown); // the controller sends back what it was told: nothing to change
    EXPECT_TRUE(f.toSynth().empty());
}

TEST_F(ControllerFeedback, MissingPresetNamesTheFileThatIsMissing) {
    f.controls.Toggle(QStringLiteral("cbEnvRev")).checked = false;
    e.cbEnvRevClick(); // asks for the Norm file, which is not there
    EXPECT_EQ(f.prompts.shown, QStringList{QStringLiteral(
                                   "message: Can't Find BCR sysex file (Marrowlink_Norm.SYX) ")});
    EXPECT_TRUE(e.SplashFade()); // the next upload still fades
}

TEST_F(ControllerFeedback, APresetFileBeyondAMegabyteIsRefusedUnsent) {
    QByteArray file;
    while (file.size() <= (1 << 20))
        file += message(1, 1000);
    writePreset("Marrowlink.SYX", file);
    e.bLoadBCRClick(); // the Rev file that follows is missing
    ASSERT_FALSE(f.prompts.shown.isEmpty());
    EXPECT_EQ(f.prompts.shown.first().toStdString(),
              "error: The BCR sysex file (Marrowlink.SYX) is too large: more than 1048576 bytes");
    f.settle();
    EXPECT_TRUE(f.sleeper.sleeps.empty());
    for (const auto& sent : f.toController())
        EXPECT_EQ(sent.size(), 3u); // operator 1's echoes only
    EXPECT_TRUE(f.controls.Caption(QStringLiteral("bLoadBCR")).enabled);
}

TEST_F(ControllerFeedback, PresetWithoutControllerOutputWarns) {
    writePreset("Marrowlink.SYX", message(1));
    e.ChooseDevice(Editor::Port::CtrlOut, e.DeviceList(Editor::Port::CtrlOut).size() - 1);
    e.bLoadBCRClick(); // the Rev file that follows is missing
    f.prompts.shown.removeLast();
    EXPECT_EQ(f.prompts.shown,
              QStringList{QStringLiteral("warning: No Midi output device selected for the BCR")});
    EXPECT_FALSE(e.SplashFade());
}

TEST_F(ControllerFeedback, PortErrorDuringUploadRestoresTheButtonAndTheFade) {
    writePreset("Marrowlink.SYX", message(1) + message(2));
    f.midi.RemoveDevice(QStringLiteral("BCR"));
    EXPECT_THROW(e.bLoadBCRClick(), EMidiOutputError);
    EXPECT_TRUE(f.controls.Caption(QStringLiteral("bLoadBCR")).enabled);
    EXPECT_FALSE(e.SplashFade());
}

TEST_F(ControllerFeedback, EnvelopeOptionFlipsTheRateKnobsAndEchoesThem) {
    writePreset("Marrowlink_Rev.SYX", message(7));
    writePreset("Marrowlink_Norm.SYX", message(8));
    // Started reversed (the default): the rate knobs count down clockwise.
    EXPECT_EQ(f.knob("Knob40").Min(), 31);
    EXPECT_EQ(f.knob("Knob40").Max(), 0);
    EXPECT_EQ(f.knob("Knob44").Min(), 15);
    f.cc(41, 9); // the controller sets decay 1 rate
    f.clearSent();

    f.controls.Toggle(QStringLiteral("cbEnvRev")).checked = false;
    e.cbEnvRevClick();
    f.settle();
    EXPECT_EQ(f.knob("Knob40").Min(), 0);
    EXPECT_EQ(f.knob("Knob40").Max(), 31);
    EXPECT_EQ(f.knob("Knob41").Position(), 9);
    EXPECT_EQ(f.settings.Value("Envelope", "TimeReverse", true), QVariant(false));
    const TOp& op1 = e.Map().Op(0);
    EXPECT_EQ(f.toController(),
              (Messages{bytes(message(8)), echo(40, f.val(op1.Field(OpField::AR))), echo(41, 9),
                        echo(43, f.val(op1.Field(OpField::D2R))),
                        echo(44, f.val(op1.Field(OpField::RR)))}));
    EXPECT_TRUE(f.toSynth().empty()); // a rate stays a rate

    f.clearSent();
    f.controls.Toggle(QStringLiteral("cbEnvRev")).checked = true;
    e.cbEnvRevClick();
    f.settle();
    EXPECT_EQ(f.toController().front(), bytes(message(7)));
    EXPECT_EQ(f.toController().size(), 5u);
}

TEST_F(ControllerFeedback, PresetSequenceEndsWithOperatorOneSelected) {
    writePreset("Marrowlink.SYX", message(1));
    writePreset("Marrowlink_Rev.SYX", message(2));
    f.cc(102, 1); // operator 3
    f.clearSent();
    e.bLoadBCRClick();
    f.settle();
    const Messages sent = f.toController();
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(sent[0], bytes(message(1)));
    EXPECT_EQ(sent[1], bytes(message(2)));
    EXPECT_EQ(sent.back(), echo(100, 1));
    EXPECT_EQ(e.State().SelectedOp, 0);
}

TEST_F(ControllerFeedback, EchoesTellTheRowWhatTheControllerShows) {
    // A value button changed by a dump can be clicked back from the controller.
    const DumpMessages keySyncOn(
        [](DumpMessages::Source& map) { map.set(map.map.SingleRecord(15), 1); });
    f.fromSynth(keySyncOn.voiceBlock);
    ASSERT_EQ(f.val(e.Map().SingleRecord(15)), 1);
    f.cc(15, 0);
    EXPECT_EQ(f.val(e.Map().SingleRecord(15)), 0);
}

} // namespace

namespace {

TEST_F(ControllerFeedback, AControllerThatDoesNotAnswerIsReportedOnceAndTheFileStillGoesOut) {
    // The plain "BCR" device never answers; its input is chosen, so the upload waits once.
    const QByteArray lines = Bcl::LineMessages({"$rev R1", "$preset", "$end"});
    const Messages sent = uploadRev(lines);
    EXPECT_EQ(sent.size(), 3u);
    ASSERT_EQ(f.prompts.shown.size(), 1);
    EXPECT_TRUE(f.prompts.shown[0].startsWith(
        QStringLiteral("warning: The controller did not answer line 0 of Marrowlink_Rev.SYX "
                       "(\"$rev R1\").")));
    // After the silence, the 10 ms pace: the last two lines are followed by exactly 10 ms each.
    ASSERT_GE(f.sleeper.sleeps.size(), 2u);
    EXPECT_EQ(std::vector<int>(f.sleeper.sleeps.end() - 2, f.sleeper.sleeps.end()),
              (std::vector<int>{10, 10}));
}

TEST_F(ControllerFeedback, WithoutAControllerInputTheLinesGoAtTheTenMillisecondPace) {
    e.ChooseDevice(Editor::Port::CtrlIn, e.DeviceList(Editor::Port::CtrlIn).size() - 1);
    f.sleeper.sleeps.clear();
    uploadRev(Bcl::LineMessages({"$rev R1", "$preset", "$end"}));
    EXPECT_EQ(f.sleeper.sleeps, (std::vector<int>{10, 10, 10}));
    EXPECT_TRUE(f.prompts.shown.isEmpty());
}

TEST_F(ControllerFeedback, WhatTheControllerSendsDuringTheWaitIsAppliedAfterTheUpload) {
    f.midi.Inject(QStringLiteral("BCR"), {0xB0, 6, 50}); // arrives while the upload waits
    f.midi.WaitIdle();
    uploadRev(Bcl::LineMessages({"$rev R1", "$end"}));
    EXPECT_EQ(f.val(e.Map().SingleRecord(6)), 50);
    EXPECT_EQ(f.toSynth().back(), paramChange(0x12, 54, 50));
}

} // namespace

namespace {

// The plain "BCR" device answering the lines it gets as a test says: for the n-th line it gets
// (counted from 0 over every file), the answers to send at once and those to send later.
struct ScriptedController {
    struct Answer {
        int index;
        int error = Bcl::Accepted;
        int delayMs = 0;
    };
    using Script = std::function<std::vector<Answer>(int nth)>;

    ScriptedController(EditorFixture& fixture, Script answers)
        : f(fixture), script(std::move(answers)) {
        clock.start();
        f.sleeper.whileAsleep = [this] { look(); };
    }
    void look() {
        f.midi.WaitIdle();
        const auto got = f.toController();
        for (; seen < got.size(); ++seen)
            if (const auto line = Bcl::ReadLine(got[seen])) {
                lines << line->text;
                for (const Answer& answer : script(int(lines.size()) - 1))
                    due.push_back({clock.elapsed() + answer.delayMs, answer});
            }
        for (auto it = due.begin(); it != due.end();)
            if (it->first <= clock.elapsed()) {
                f.midi.Inject(QStringLiteral("BCR"),
                              Bcl::ReplyMessage(0, it->second.index, it->second.error));
                it = due.erase(it);
            } else {
                ++it;
            }
        f.midi.WaitIdle();
    }

    EditorFixture& f;
    Script script;
    QElapsedTimer clock;
    std::size_t seen = 0;
    QStringList lines; // every line the controller got, in order
    std::vector<std::pair<qint64, Answer>> due;
};

TEST_F(ControllerFeedback, AControllerThatStopsAnsweringGetsTheLineOnceMoreAndTheUploadSaysWhere) {
    ScriptedController bcr(f, [](int nth) {
        return nth < 2 ? std::vector<ScriptedController::Answer>{{nth}}
                       : std::vector<ScriptedController::Answer>{};
    });
    uploadRev(Bcl::LineMessages({"$rev R1", "$preset", "  .egal", "$end"}));
    EXPECT_EQ(bcr.lines, (QStringList{"$rev R1", "$preset", "  .egal", "  .egal"}));
    EXPECT_EQ(f.prompts.shown,
              QStringList{QStringLiteral(
                  "error: The controller stopped answering at line 2 of Marrowlink_Rev.SYX "
                  "(\"  .egal\"), also when it was sent again. The rest of the file was not sent: "
                  "the controller's presets are incomplete. Check the controller and its cables, "
                  "then send the presets again.")});
}

TEST_F(ControllerFeedback, AFirstAnswerThatIsSlowIsWaitedFor) {
    ScriptedController bcr(f, [](int nth) {
        return std::vector<ScriptedController::Answer>{{nth, Bcl::Accepted, nth == 0 ? 300 : 0}};
    });
    uploadRev(Bcl::LineMessages({"$rev R1", "$preset", "$end"}));
    EXPECT_EQ(bcr.lines, (QStringList{"$rev R1", "$preset", "$end"}));
    EXPECT_TRUE(f.prompts.shown.isEmpty()) << f.prompts.shown.join('\n').toStdString();
}

TEST_F(ControllerFeedback, AnAnswerCountsOnlyForTheFileOfItsLine) {
    // The first file is never answered in time; as the second file's first line arrives, the
    // answers to the first file come, then the refusal of that line.
    writePreset("Marrowlink.SYX", Bcl::LineMessages({"$rev R1", "$preset", "$end"}));
    writePreset("Marrowlink_Rev.SYX", Bcl::LineMessages({"$rev R1", "  .bogus", "$end"}));
    ScriptedController bcr(f, [](int nth) {
        if (nth != 3)
            return std::vector<ScriptedController::Answer>{};
        return std::vector<ScriptedController::Answer>{{0}, {1}, {2}, {0, Bcl::UnknownToken}};
    });
    e.bLoadBCRClick();
    f.settle();
    ASSERT_EQ(f.prompts.shown.size(), 2);
    EXPECT_TRUE(f.prompts.shown[0].startsWith(
        QStringLiteral("warning: The controller did not answer line 0 of Marrowlink.SYX")));
    EXPECT_EQ(f.prompts.shown[1],
              QStringLiteral("error: The controller refused line 0 of Marrowlink_Rev.SYX (\"$rev "
                             "R1\"): error 1, unknown token. The rest of the file was not sent."));
    EXPECT_EQ(bcr.lines.size(), 4);
}

TEST_F(ControllerFeedback, WhatTheControllerSendsDuringAnUploadWithoutAnswersIsKeptNotLost) {
    int sentCcs = 0;
    ScriptedController bcr(f, [](int) { return std::vector<ScriptedController::Answer>{}; });
    f.sleeper.whileAsleep = [&] {
        bcr.look();
        // More than the input holds, over the pauses of the lines sent without waiting.
        if (bcr.lines.size() > 1 && sentCcs < 1200)
            for (int i = 0; i < 600; ++i, ++sentCcs)
                f.midi.Inject(QStringLiteral("BCR"), {0xB0, 6, std::uint8_t(sentCcs % 100)});
        f.midi.WaitIdle();
    };
    uploadRev(Bcl::LineMessages({"$rev R1", "$preset", "$end"}));
    ASSERT_EQ(sentCcs, 1200);
    ASSERT_EQ(f.prompts.shown.size(), 1); // the one about the answers, nothing lost
    EXPECT_TRUE(f.prompts.shown[0].startsWith(QStringLiteral("warning: The controller did not")));
    EXPECT_EQ(f.val(e.Map().SingleRecord(6)), 1199 % 100);
}

} // namespace

namespace {

TEST(EventLoopSleeper, TheWindowPaintsOnDuringAnUploadsPause) {
    bool fired = false; // a repaint or any other timer of the window
    QTimer::singleShot(0, [&] { fired = true; });
    EventLoopSleeper().SleepMs(20);
    EXPECT_TRUE(fired);
}

} // namespace
