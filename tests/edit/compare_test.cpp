#include "dump_messages.h"
#include "support/editor_fixture.h"

#include <gtest/gtest.h>

namespace {

using Messages = std::vector<EditorFixture::Message>;

// A voice from the synth is A; the tests then edit it into B.
struct Compare : ::testing::Test {
    EditorFixture f;
    Editor& e = f.editor;
    void SetUp() override {
        f.startWithDevices();
        const DumpMessages a([](DumpMessages::Source& m) {
            m.set(m.map.Op(2).Field(OpField::Wave), 5);
            m.set(m.map.Op(0).Field(OpField::Out), 20);
            m.set(m.map.SingleRecord(24), 1); // algorithm
        });
        for (const auto* m : {&a.voiceBlock, &a.addVoice, &a.aftertouch, &a.voiceEffect})
            f.fromSynth(*m);
        f.cc(39, 80); // operator 1's output
        f.cc(102, 1); // operator 3
        f.cc(38, 0);  // its wave
        f.cc(100, 1);
        f.clearSent();
    }
};

TEST_F(Compare, TheDifferencesAsTheScreenShowsThem) {
    EXPECT_EQ(e.Compare().DifferenceTexts(), (QStringList{QStringLiteral("Op 1 Output: 20 -> 80"),
                                                          QStringLiteral("Op 3 Wave: 5 -> 0")}));
}

TEST_F(Compare, SwitchingSendsOnlyWhatDiffersAndLightsTheKey) {
    e.Compare().Toggle();
    f.settle();
    EXPECT_EQ(f.toSynth(),
              (Messages{paramChange(0x12, 39 + 10, 20), paramChange(0x13, 10 + 3, 5)}));
    EXPECT_EQ(f.toController(), (Messages{echo(39, 20), echo(106, 1)}));
    EXPECT_TRUE(e.Compare().ShowingA());
    f.clearSent();
    f.cc(106, 0); // the controller's key: back to B
    EXPECT_EQ(f.toSynth(),
              (Messages{paramChange(0x12, 39 + 10, 80), paramChange(0x13, 10 + 3, 0)}));
    EXPECT_EQ(f.toController(), (Messages{echo(39, 80), echo(106, 0)}));
}

TEST_F(Compare, AnEditWhileAIsShownGoesToB) {
    e.Compare().Toggle();
    f.clearSent();
    f.cc(26, 4); // feedback
    f.settle();
    // B comes back first, then the edit.
    EXPECT_EQ(f.toSynth(), (Messages{paramChange(0x12, 49, 80), paramChange(0x13, 13, 0),
                                     paramChange(0x12, 53, 4)}));
    EXPECT_FALSE(e.Compare().ShowingA());
    EXPECT_EQ(f.val(e.Map().Op(0).Field(OpField::Out)), 80);
}

TEST_F(Compare, TakingOneParameterFromASendsExactlyIt) {
    const VoiceParam wave = VoiceParam::Op(2, OpField::Wave);
    e.Compare().TakeFromA(std::span(&wave, 1));
    f.settle();
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x13, 13, 5)});
    EXPECT_EQ(e.Compare().DifferenceTexts(), QStringList{QStringLiteral("Op 1 Output: 20 -> 80")});
    e.Undo();
    EXPECT_EQ(f.val(e.Map().Op(2).Field(OpField::Wave)), 0);
    e.Compare().TakeAllFromA();
    EXPECT_TRUE(e.Compare().Differences().empty());
}

TEST_F(Compare, ManyDifferencesGoAsTheWholeVoice) {
    e.sbRandChange(100);
    f.random.highestWhenEmpty = true;
    e.lRandomClick();
    f.clearSent();
    e.Compare().Toggle();
    f.settle();
    const Messages sent = f.toSynth();
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0].size(), 101u);
}

TEST_F(Compare, TheMorphEndsOnBAndSwitchesEachChoiceOnceAtHalfWay) {
    const Messages waveOfA{paramChange(0x13, 13, 5)};
    const Messages waveOfB{paramChange(0x13, 13, 0)};
    std::vector<int> waveSwitchedAt;
    for (int percent = 0; percent <= 100; percent += 5) {
        f.clearSent();
        e.Morph().Move(percent);
        f.settle();
        for (const auto& m : f.toSynth())
            if (m == waveOfA[0] || m == waveOfB[0])
                waveSwitchedAt.push_back(percent);
        EXPECT_EQ(f.val(e.Map().Op(0).Field(OpField::Out)), 20 + (80 - 20) * percent / 100);
    }
    EXPECT_EQ(waveSwitchedAt, (std::vector<int>{0, 50})); // to A's, then back to B's at half way
    EXPECT_EQ(f.val(e.Map().Op(2).Field(OpField::Wave)), 0);
    // A sweep back to where it began leaves nothing to undo; one that stops between is a step.
    EXPECT_EQ(e.History().UndoText(), QStringLiteral("Op 3 Wave 5 -> 0"));
    e.Morph().Move(60);
    e.Morph().Release();
    EXPECT_EQ(e.History().UndoText(), QStringLiteral("Morph"));
    EXPECT_EQ(f.val(e.Map().Op(0).Field(OpField::Out)), 56);
}

TEST_F(Compare, TheControllersMorphEncoderMovesIt) {
    f.cc(107, 0);
    EXPECT_EQ(f.val(e.Map().Op(0).Field(OpField::Out)), 20);
    f.cc(107, 50);
    EXPECT_EQ(f.val(e.Map().Op(0).Field(OpField::Out)), 50);
}

} // namespace
