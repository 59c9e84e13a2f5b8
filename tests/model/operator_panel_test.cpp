#include "model/operator_panel.h"
#include "model/parameter_records.h"
#include "model/voice.h"
#include "views/headless_controls.h"

#include <gtest/gtest.h>

namespace {

TEST(Decay1Levels, SinglePrecisionTruncation) {
    EXPECT_EQ(decay1Levels(0, 15, 15).level2, 30);
    EXPECT_EQ(decay1Levels(0, 15, 15).level3, 15);
    EXPECT_EQ(decay1Levels(8, 15, 15).level2, 30);
    EXPECT_EQ(decay1Levels(8, 15, 15).level3, 19);
    EXPECT_EQ(decay1Levels(16, 15, 15).level2, 31);
    EXPECT_EQ(decay1Levels(16, 15, 15).level3, 23);
    EXPECT_EQ(decay1Levels(24, 15, 15).level2, 31);
    EXPECT_EQ(decay1Levels(24, 15, 15).level3, 27);
    EXPECT_EQ(decay1Levels(24, 0, 15).level2, 24);
    EXPECT_EQ(decay1Levels(24, 0, 15).level3, 24);
}

struct Panel : ::testing::Test {
    HeadlessGraph graph;
    HeadlessPicture wave;
    HeadlessBar bar;
    TOp op{0, &graph, &wave, &bar};
    Voice voice;
    void set(OpField field, int value) { voice.Set(VoiceParam::Op(0, field), value); }
};

TEST_F(Panel, EachRowFeedsItsElement) {
    set(OpField::Wave, 6);
    set(OpField::Out, 77);
    set(OpField::AR, 31);
    set(OpField::D1R, 20);
    set(OpField::D2R, 10);
    set(OpField::RR, 3);
    for (int row = 38; row <= 45; ++row)
        UpdateOperatorGraph(op, voice, row);
    EXPECT_EQ(wave.state, 6);
    EXPECT_EQ(bar.position, 77);
    EXPECT_EQ(graph.values[0], 31);
    EXPECT_EQ(graph.values[1], 32);
    EXPECT_EQ(graph.values[2], 20);
    EXPECT_EQ(graph.values[4], 10);
    EXPECT_EQ(graph.values[6], 3);
}

TEST_F(Panel, ShiftRaisesTheLevelsAboveItsOffset) {
    set(OpField::Shift, 3);
    set(OpField::D1L, 0);
    UpdateOperatorGraph(op, voice, 45);
    EXPECT_EQ(op.ShiftX, 24);
    EXPECT_EQ(graph.values[7], 24);
    EXPECT_EQ(graph.values[5], 24);
    EXPECT_EQ(graph.values[3], 24);
    // Row 42 uses the kept offset.
    set(OpField::D1L, 15);
    UpdateOperatorGraph(op, voice, 42);
    EXPECT_EQ(graph.values[3], 31);
    EXPECT_EQ(graph.values[5], 27);
}

TEST_F(Panel, OtherRowsChangeNothing) {
    const auto before = graph.values;
    set(OpField::AR, 1);
    UpdateOperatorGraph(op, voice, 37);
    UpdateOperatorGraph(op, voice, 46);
    EXPECT_EQ(graph.values, before);
}

} // namespace
