#include "model/operator_panel.h"
#include "model/parameter_records.h"
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
};

TEST_F(Panel, EachRowFeedsItsElement) {
    op.Field(OpField::Wave).Val = 6;
    op.Field(OpField::Out).Val = 77;
    op.Field(OpField::AR).Val = 31;
    op.Field(OpField::D1R).Val = 20;
    op.Field(OpField::D2R).Val = 10;
    op.Field(OpField::RR).Val = 3;
    for (int row = 38; row <= 45; ++row)
        UpdateOperatorGraph(op, row);
    EXPECT_EQ(wave.state, 6);
    EXPECT_EQ(bar.position, 77);
    EXPECT_EQ(graph.values[0], 31);
    EXPECT_EQ(graph.values[1], 32);
    EXPECT_EQ(graph.values[2], 20);
    EXPECT_EQ(graph.values[4], 10);
    EXPECT_EQ(graph.values[6], 3);
}

TEST_F(Panel, ShiftRaisesTheLevelsAboveItsOffset) {
    op.Field(OpField::Shift).Val = 3;
    op.Field(OpField::D1L).Val = 0;
    UpdateOperatorGraph(op, 45);
    EXPECT_EQ(op.ShiftX, 24);
    EXPECT_EQ(graph.values[7], 24);
    EXPECT_EQ(graph.values[5], 24);
    EXPECT_EQ(graph.values[3], 24);
    // Row 42 uses the kept offset.
    op.Field(OpField::D1L).Val = 15;
    UpdateOperatorGraph(op, 42);
    EXPECT_EQ(graph.values[3], 31);
    EXPECT_EQ(graph.values[5], 27);
}

TEST_F(Panel, OtherRowsChangeNothing) {
    const auto before = graph.values;
    op.Field(OpField::AR).Val = 1;
    UpdateOperatorGraph(op, 37);
    UpdateOperatorGraph(op, 46);
    EXPECT_EQ(graph.values, before);
}

} // namespace
