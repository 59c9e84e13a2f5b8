#include "support/editor_fixture.h"
#include "synth/bulk_layout.h"

#include <gtest/gtest.h>

namespace {

using Messages = std::vector<EditorFixture::Message>;

// The editor against the simulated synth: what the editor shows must be what the synth holds.
struct WithSimulatedSynth : ::testing::Test {
    EditorFixture f{EditorFixture::Synth::Simulated};
    Editor& e = f.editor;
    void SetUp() override { f.startWithDevices(); }

    SimulatedSynth synth() const { return f.simulator->Snapshot(); }

    // The editor's voice as the synth's voice data.
    SimulatedSynth::Voice editorVoice() {
        SimulatedSynth::Voice voice;
        auto copy = [&](const Layouts::BulkLayout& layout, auto& data, int offset) {
            DataBuffer buffer(200);
            Layouts::WriteMessage(layout, e.CurrentVoice(), buffer);
            std::copy_n(buffer.Data() + offset, data.size(), data.begin());
        };
        copy(Layouts::VoiceBlock, voice.Block, 6);
        copy(Layouts::AddVoice, voice.AddVoice, 16);
        copy(Layouts::Aftertouch, voice.Aftertouch, 16);
        copy(Layouts::VoiceEffect, voice.Effect, 16);
        return voice;
    }
};

TEST_F(WithSimulatedSynth, StartUpFetchesTheSynthsVoiceAndMulti) {
    EXPECT_EQ(editorVoice(), synth().CurrentVoice());
    EXPECT_EQ(f.caption("lCurrentPatch"), QStringLiteral("Current: From Synth"));
    EXPECT_EQ(f.caption("lCurrentMulti"), QStringLiteral("Current: From Synth"));
    EXPECT_FALSE(synth().MultiMode());
    EXPECT_EQ(e.State().SelectedOp, 0);
    EXPECT_TRUE(f.prompts.shown.isEmpty());
}

TEST_F(WithSimulatedSynth, ControllerEditsReachTheSynth) {
    f.cc(40, 3); // operator 1 attack
    f.cc(24, 6); // algorithm
    f.cc(0, 44); // mod wheel pitch depth
    f.cc(97, 0); // operator 2 off
    EXPECT_EQ(editorVoice(), synth().CurrentVoice());
    EXPECT_EQ(synth().CurrentVoice().Block[39], 3);
    EXPECT_EQ(synth().OperatorMask(), 0x0B);
}

TEST_F(WithSimulatedSynth, APanelChoiceOnTheSynthIsFetched) {
    ASSERT_GE(synth().LibrarySize(), 2);
    ASSERT_TRUE(f.simulator->SelectVoice(1));
    f.settle();
    EXPECT_EQ(editorVoice(), synth().CurrentVoice());
}

TEST_F(WithSimulatedSynth, VoiceRequestedByTheControllerIsEchoedAndKeepsTheOperator) {
    f.cc(102, 1); // operator 3
    f.simulator->SelectVoice(1);
    f.settle();   // the program change fetched the voice and reset the operators
    f.cc(103, 1); // operator 4
    f.clearSent();
    f.cc(20, synth().CurrentVoice().Effect[0]);
    EXPECT_EQ(e.State().SelectedOp, 3);
    // Four voice messages, each followed by the echo of all rows that have a record.
    int rowEchoes = 0;
    for (const auto& m : f.toController())
        if (m[0] == 0xB0 && m[1] < 48)
            ++rowEchoes;
    int rows = 0;
    for (int row = 0; row < 48; ++row)
        rows += e.Map().Row(row)->Current(e.State().SelectedOp, e.State().ModGroup) != nullptr;
    EXPECT_EQ(rowEchoes, 4 * rows);
}

TEST_F(WithSimulatedSynth, RandomisedVoiceIsSentWhole) {
    f.random.values = {};
    for (int i = 0; i < 400; ++i)
        f.random.values.push_back(i * 7919);
    e.sbRandChange(60);
    f.cc(21, 127);
    EXPECT_EQ(editorVoice(), synth().CurrentVoice());
}

TEST_F(WithSimulatedSynth, MultiEditsAndTheMultiDump) {
    e.pcModeChange(Editor::Page::Multipart);
    f.settle();
    KnobValue& volume = f.knob("kVolume5");
    volume.UserSetPosition(33);
    KnobValue& tune = f.knob("kMasterTune");
    tune.UserSetPosition(70);
    f.settle();
    EXPECT_EQ(synth().CurrentMulti().Block[4 + 12 * 4 + 8], 33);
    EXPECT_EQ(synth().CurrentMulti().Block[0], 70);
    e.bGetPatchClick();
    f.settle();
    // The multi block built from the editor's multi, as a save builds it.
    DataBuffer built = e.Data().MultiBuf;
    Layouts::WriteMessage(Layouts::MultiBlock, e.CurrentMulti(), built);
    const SimulatedSynth held = synth();
    const auto& block = held.CurrentMulti().Block;
    EXPECT_TRUE(std::equal(block.begin(), block.end(), built.Data() + 16));
}

} // namespace
