#include "midi/midi_errors.h"
#include "support/editor_fixture.h"

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
    EXPECT_THROW(e.ApplyControllerMessage(0xB0, 101, 1), EMidiOutputError);
    EXPECT_FALSE(e.Updating);
}

TEST_F(PortErrors, RandomiseGivesBackTheGroupTheFlagAndTheColour) {
    e.ModGroup = 3;
    EXPECT_THROW(e.Randomise(), EMidiOutputError);
    EXPECT_FALSE(e.Updating);
    EXPECT_EQ(e.ModGroup, 3);
    EXPECT_EQ(f.controls.Caption(QStringLiteral("lRandom")).color, Colours::White);
}

TEST_F(PortErrors, DecodingGivesBackUpdatingAndLaterInputStillWorks) {
    // A voice refresh sends the operator mask, which now fails.
    DataBuffer& block = e.Data.VoiceBlockBuf;
    e.BuildVoiceBlock();
    EXPECT_THROW(e.DecodeVoiceBlock({block.Data(), std::size_t(block.Capacity())}),
                 EMidiOutputError);
    EXPECT_FALSE(e.Updating);
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
    f.editor.Updating = true;
    name().SetText(QStringLiteral("Quiet"));
    f.editor.Updating = false;
    f.settle();
    EXPECT_TRUE(f.toSynth().empty());
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
            const TSyx_Param* record = e.Map.Row(cc)->Current(e.SelectedOp, e.ModGroup);
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
            EXPECT_EQ(e.SelectedOp, cc - 100);
        } else {
            EXPECT_TRUE(synth.empty());
            EXPECT_TRUE(controller.empty());
        }
    }
}

} // namespace
