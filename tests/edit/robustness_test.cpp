#include "dump_messages.h"
#include "midi/midi_errors.h"
#include "support/editor_fixture.h"
#include "support/escaped_errors.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using Messages = std::vector<EditorFixture::Message>;

// A port error half way through an operation must not leave the editor's flags set: one error
// would otherwise silently stop every later edit.
struct PortErrors : ::testing::Test {
    EditorFixture f;
    Editor& e = f.editor;
    void SetUp() override {
        f.startWithDevices();
        f.midi.RemoveDevice(QStringLiteral("Synth")); // the synth's interface is unplugged
    }
};

TEST_F(PortErrors, OperatorSelectGivesBackUpdating) {
    EXPECT_THROW(e.lOpClick(&f.controls.Caption(QStringLiteral("lVal101"))), EMidiOutputError);
    EXPECT_FALSE(e.State().Updating);
}

TEST_F(PortErrors, RandomiseGivesBackTheGroupTheFlagAndTheColour) {
    f.selectModGroup(3);
    EXPECT_THROW(e.lRandomClick(), EMidiOutputError);
    EXPECT_FALSE(e.State().Updating);
    EXPECT_EQ(e.State().ModGroup, 3);
    EXPECT_EQ(f.controls.Caption(QStringLiteral("lRandom")).color, Colours::White);
}

TEST(PortErrorWhileDecoding, GivesBackUpdatingAndLaterInputStillWorks) {
    EditorFixture f;
    Editor& e = f.editor;
    f.startWithDevices();
    f.midi.RemoveDevice(QStringLiteral("BCR")); // the controller's interface is unplugged
    // A voice refresh echoes every row, which now fails; the application shows the error.
    EscapedErrors errors;
    f.fromSynth(DumpMessages([](ParameterMap& m) { m.SingleRecord(6).Val = 11; }).voiceBlock);
    EXPECT_EQ(errors.texts.size(), 1);
    EXPECT_FALSE(e.State().Updating);
    EXPECT_EQ(e.Map().SingleRecord(6).Val, 11);
    // The next dump is decoded as well.
    f.fromSynth(DumpMessages([](ParameterMap& m) { m.SingleRecord(6).Val = 12; }).voiceBlock);
    EXPECT_EQ(errors.texts.size(), 2);
    EXPECT_EQ(e.Map().SingleRecord(6).Val, 12);
}

// The controller's output on a device of its own, which is unplugged while its input still works.
struct ControllerOutputUnplugged : ::testing::Test {
    EditorFixture f;
    Editor& e = f.editor;
    void SetUp() override {
        f.midi.AddDevice(QStringLiteral("BCR Out"), VirtualMidiService::ReceivesFromComputer);
        f.startWithDevices();
        ASSERT_TRUE(e.ChooseDevice(
            Port::CtrlOut, int(e.DeviceList(Port::CtrlOut).indexOf(QStringLiteral("BCR Out")))));
    }
    void unplug() { f.midi.RemoveDevice(QStringLiteral("BCR Out")); }
};

TEST_F(ControllerOutputUnplugged, AFailedRandomiseLeavesEditsWithTheShownOperator) {
    f.cc(102, 1); // operator 3
    unplug();
    EXPECT_THROW(e.lRandomClick(), EMidiOutputError); // at its first echo
    EXPECT_EQ(e.State().SelectedOp, 2);
    EXPECT_EQ(f.controls.Caption(QStringLiteral("lOp3Select")).color, Colours::Yellow);
    // The shared knobs show operator 3 and the modulation group again.
    EXPECT_EQ(f.knob("Knob40").Position(), e.Map().Op(2).Field(OpField::AR).Val);
    EXPECT_EQ(f.knob("Knob0").Position(), e.Map().Mod(e.State().ModGroup).Variant[0]->Val);
    f.clearSent();
    f.cc(40, 7);
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 0x1A, 7)}); // operator 3's attack
}

TEST_F(ControllerOutputUnplugged, TheEnvelopeOptionTurnsTheKnobsWhenItsUploadFails) {
    QFile norm(f.folderFile(QStringLiteral("Marrowlink_Norm.SYX")));
    ASSERT_TRUE(norm.open(QIODevice::WriteOnly));
    norm.write(QByteArray("\xF0\x00\xF7", 3));
    norm.close();
    f.controls.Toggle(QStringLiteral("cbEnvRev")).checked = false;
    unplug();
    EXPECT_THROW(e.cbEnvRevClick(), EMidiOutputError);
    EXPECT_FALSE(e.TimeReverse());
    for (const char* name : {"Knob40", "Knob41", "Knob43", "Knob44"}) {
        EXPECT_EQ(f.knob(name).Min(), 0) << name;
        EXPECT_GT(f.knob(name).Max(), 0) << name;
    }
}

struct NameEdit : ::testing::Test {
    EditorFixture f;
    void SetUp() override { f.startWithDevices(); }
    HeadlessEdit& name() { return f.controls.Edit(QStringLiteral("eName")); }
};

TEST_F(NameEdit, EveryChangeSendsTheTenCharacters) {
    name().SetText(QStringLiteral("Bass"));
    f.settle();
    const char* padded = "Bass      ";
    Messages expected;
    for (int c = 0; c < 10; ++c)
        expected.push_back(paramChange(0x12, 77 + c, padded[c]));
    EXPECT_EQ(f.toSynth(), expected);
}

TEST_F(NameEdit, APastedLongNameIsCutAndSentOnce) {
    name().SetText(QStringLiteral("Twelve chars"));
    f.settle();
    EXPECT_EQ(name().text, QStringLiteral("Twelve cha"));
    const Messages sent = f.toSynth();
    ASSERT_EQ(sent.size(), 10u);
    EXPECT_EQ(sent[9], paramChange(0x12, 86, 'a'));
}

TEST_F(NameEdit, CharactersAboveSevenBitsGoOutAsQuestionMarks) {
    name().SetText(QString::fromUtf8("Café"));
    f.settle();
    EXPECT_EQ(f.toSynth()[3], paramChange(0x12, 80, '?'));
}

TEST_F(NameEdit, NothingIsSentWhileADumpIsDecoded) {
    // The voice block's name reaches the name edit while the dump is decoded.
    f.fromSynth(DumpMessages({}, QStringLiteral("Quiet")).voiceBlock);
    EXPECT_EQ(name().text, QStringLiteral("Quiet     "));
    for (const EditorFixture::Message& sent : f.toSynth())
        EXPECT_FALSE(sent.size() == 7 && sent[3] == 0x12 && sent[4] >= 77 && sent[4] <= 86)
            << "a name change went out";
}

// Every controller CC number, on a fresh editor: what reaches the synth and the controller.
TEST(EveryControllerNumber, EachCcDoesWhatItsNumberMeans) {
    for (int cc = 0; cc < 128; ++cc) {
        EditorFixture f;
        f.startWithDevices();
        Editor& e = f.editor;
        const int value = 1;
        f.cc(cc, value);
        const Messages synth = f.toSynth();
        const Messages controller = f.toController();
        SCOPED_TRACE(cc);
        if (cc < 48 && cc != 20 && cc != 21) {
            const TSyx_Param* record =
                e.Map().Row(cc)->Current(e.State().SelectedOp, e.State().ModGroup);
            if (record)
                EXPECT_EQ(synth, Messages{paramChange(record->Gp, record->Para, value)});
            else
                EXPECT_TRUE(synth.empty());
            EXPECT_TRUE(controller.empty());
        } else if (cc == 20) {
            EXPECT_EQ(synth.size(), 2u);
        } else if (cc == 21) {
            EXPECT_EQ(synth.front().size(), 101u);
        } else if (cc == 48) {
            EXPECT_TRUE(synth.empty());
            EXPECT_EQ(controller.size(), 4u); // mod wheel to breath: four records
        } else if (cc >= 96 && cc <= 99) {
            // Operator 1 is selected: its own switch is refused, the others stay on (value 1).
            if (cc == 96)
                EXPECT_EQ(controller, Messages{echo(96, 1)});
            else
                EXPECT_EQ(controller.size(), 4u);
        } else if (cc >= 100 && cc <= 103) {
            EXPECT_EQ(synth, Messages{paramChange(0x12, 0x5D, 0x0F)});
            EXPECT_EQ(controller.back(), echo(cc, 1));
            EXPECT_EQ(e.State().SelectedOp, cc - 100);
        } else {
            EXPECT_TRUE(synth.empty());
            EXPECT_TRUE(controller.empty());
        }
    }
}

} // namespace
