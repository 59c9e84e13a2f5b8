#include "model/parameter_records.h"
#include "model/voice.h"
#include "support/recording_prompter.h"
#include "views/headless_controls.h"

#include <gtest/gtest.h>

namespace {

struct RecordTest : ::testing::Test {
    RecordingPrompter prompts;
    HeadlessCaption label;
    KnobValue knob;
};

TEST_F(RecordTest, ConstructionBindsAndSetsTheKnobMaximum) {
    TSyx_Param record(0x12, 64, 12, -1, &label, &knob);
    EXPECT_EQ(knob.Max(), 12);
    EXPECT_EQ(record.ValNames, &record.OwnValNames);
    EXPECT_TRUE(record.ValNames->isEmpty());
    EXPECT_EQ(record.ValueButton, nullptr);
}

TEST_F(RecordTest, EmptyNameListShowsNumbers) {
    TSyx_Param record(0x12, 66, 99, -1, &label);
    SetLabel(prompts, record, 0);
    EXPECT_EQ(label.caption, QStringLiteral("0"));
    SetLabel(prompts, record, 99);
    EXPECT_EQ(label.caption, QStringLiteral("99"));
    EXPECT_TRUE(prompts.shown.isEmpty());
}

TEST_F(RecordTest, ValueWithoutANameWarnsAndKeepsTheCaption) {
    TSyx_Param record(0x12, 58, 1, -1, &label);
    record.OwnValNames = {QStringLiteral("Off"), QStringLiteral("On")};
    SetLabel(prompts, record, 1);
    EXPECT_EQ(label.caption, QStringLiteral("On"));
    SetLabel(prompts, record, 2);
    EXPECT_EQ(label.caption, QStringLiteral("On"));
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_EQ(
        prompts.shown[0],
        QStringLiteral("warning: SetLabel(val) Value to high for stringlist;Gp 18;Para 58;Val 2"));
}

TEST_F(RecordTest, ButtonShowsTheTextWhenThereIsNoLabel) {
    TSyx_Param record(0x12, 58, 1);
    HeadlessCaption button;
    record.ValueButton = &button;
    record.OwnValNames = {QStringLiteral("Off"), QStringLiteral("On")};
    SetLabel(prompts, record, 1);
    EXPECT_EQ(button.caption, QStringLiteral("On"));
}

TEST_F(RecordTest, TooBigAValueIsSaidWithTheRecordsNumbers) {
    TSyx_Param record(0x12, 23, 99, 1, &label, &knob);
    record.CC = 39;
    EXPECT_EQ(ValueTooBigText(record, 120),
              QStringLiteral("Value too big CC:39; Val:120: Max:99: Gp:18: Parm:23"));
    const TSyx_Param part(0x10, 32, 99); // a multi record has no controller row
    EXPECT_EQ(ValueTooBigText(part, 100),
              QStringLiteral("Value too big CC:none; Val:100: Max:99: Gp:16: Parm:32"));
}

TEST(OperatorRecords, NumbersFollowTheSynthsOperatorOrder) {
    TOp op2(1, nullptr, nullptr, nullptr);
    EXPECT_EQ(op2.Field(OpField::AR).Gp, 0x12);
    EXPECT_EQ(op2.Field(OpField::AR).Para, 13);
    EXPECT_EQ(op2.Field(OpField::Out).Para, 23);
    EXPECT_EQ(op2.Field(OpField::Fix).Gp, 0x13);
    EXPECT_EQ(op2.Field(OpField::Fix).Para, 5);
    EXPECT_EQ(op2.Field(OpField::Shift).Para, 9);
    TOp op1(0, nullptr, nullptr, nullptr);
    EXPECT_EQ(op1.Field(OpField::AR).Para, 39);
    EXPECT_EQ(op1.Field(OpField::Shift).Para, 19);
    TOp op4(3, nullptr, nullptr, nullptr);
    EXPECT_EQ(op4.Field(OpField::AR).Para, 0);
    EXPECT_EQ(op4.Field(OpField::Fix).Para, 0);
    for (const auto& record : op2.Records)
        EXPECT_EQ(record->Tag, 1);
}

TEST(OperatorRecords, StartValuesAndPanel) {
    HeadlessGraph graph;
    HeadlessPicture wave;
    HeadlessBar bar;
    TOp op(0, &graph, &wave, &bar);
    const int starts[] = {5, 5, 5, 5, 15, 0, 0, 0, 0, 4, 90, 4, 0, 0, 0, 0, 0, 0};
    for (int f = 0; f < OpFieldCount; ++f)
        EXPECT_EQ(Voice().Op(0, OpField(f)), starts[f]) << f;
    EXPECT_EQ(op.Field(OpField::Shift).OwnValNames.value(3), QStringLiteral("12dB"));
    EXPECT_EQ(op.Field(OpField::FixRange).OwnValNames.size(), 8);
    EXPECT_EQ(bar.position, 90);
    EXPECT_EQ(wave.state, 0);
    // rates 5, level 1 fixed at 32, decay 1 level 15 with no shift: 30 and 15
    EXPECT_EQ(graph.values, (std::array<int, 8>{5, 32, 5, 30, 5, 15, 5, 0}));
}

TEST(MultiRecords, PartNumbering) {
    TMulti multi;
    EXPECT_EQ(multi.Part(3).Field(PartField::Volume).Para, 32);
    EXPECT_EQ(multi.Part(8).Field(PartField::MaxNotes).Para, 84);
    EXPECT_EQ(multi.Part(1).Field(PartField::Patch).Para, 2);
    EXPECT_EQ(multi.Part(1).Field(PartField::LfoSelect).Para, 10);
    EXPECT_EQ(multi.Field(MultiField::MasterTune).Para, 123);
    EXPECT_EQ(multi.Field(MultiField::MasterTune).Gp, 0x10);
    EXPECT_EQ(multi.Field(MultiField::RxChannel).Max, 17);
    EXPECT_EQ(multi.Field(MultiField::FxBalance).Para, 6);
}

} // namespace
