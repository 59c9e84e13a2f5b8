#include "support/editor_fixture.h"

#include <gtest/gtest.h>

namespace {

using Messages = std::vector<EditorFixture::Message>;

struct Randomiser : ::testing::Test {
    EditorFixture f;
    Editor& e = f.editor;
    void SetUp() override { f.startWithDevices(); }
};

TEST_F(Randomiser, SpreadFollowsThePercentageOfTheRange) {
    const TSyx_Param& speed = e.Map().SingleRecord(6); // max 99
    f.cc(6, 50);
    e.sbRandChange(5);
    e.lRandomClick();
    // The draws are made in row and slot order; find the one for row 6: range = 2 x 4 + 1.
    EXPECT_NE(std::find(f.random.ranges.begin(), f.random.ranges.end(), 9), f.random.ranges.end());
    EXPECT_GE(f.val(speed), 46);
    EXPECT_LE(f.val(speed), 54);
}

TEST_F(Randomiser, ValuesStayWithinRangeAtTheEnds) {
    e.sbRandChange(100);
    for (int op = 0; op < 4; ++op) {
        f.cc(100 + op, 1);
        f.cc(40, 31); // the operator's attack at its top
    }
    // Draw the top of every range.
    for (int i = 0; i < 500; ++i)
        f.random.values.push_back(1000000);
    e.lRandomClick();
    for (int row = 0; row < 48; ++row)
        for (const TSyx_Param* r : e.Map().Row(row)->Variant)
            if (r) {
                EXPECT_GE(f.val(*r), 0);
                EXPECT_LE(f.val(*r), r->Max);
            }
    EXPECT_EQ(f.caption("lRandPercent"), QStringLiteral("100"));
}

TEST_F(Randomiser, OnePercentOfASmallRangeKeepsTheValue) {
    e.sbRandChange(1);
    const TSyx_Param& algorithm = e.Map().SingleRecord(24); // max 7: spread 0
    f.cc(24, 3);
    for (int i = 0; i < 500; ++i)
        f.random.values.push_back(7);
    e.lRandomClick();
    EXPECT_EQ(f.val(algorithm), 3);
    EXPECT_EQ(f.controls.Picture(QStringLiteral("gAlgorithm")).state, 3);
}

TEST_F(Randomiser, EndState) {
    f.selectModGroup(2);
    f.cc(101, 1); // operator 2 selected
    f.clearSent();
    f.random.values = {};
    e.lRandomClick();
    f.settle();
    EXPECT_EQ(e.State().SelectedOp, 0);
    EXPECT_EQ(f.val(e.Map().OpSwitch(0)), 1);
    EXPECT_EQ(e.State().ModGroup, 2);
    EXPECT_EQ(f.controls.Caption(QStringLiteral("lRandom")).color, Colours::White);
    const QString name = f.controls.Edit(QStringLiteral("eName")).text;
    EXPECT_TRUE(name.startsWith(QStringLiteral("Rand "))) << name.toStdString();
    EXPECT_EQ(name.size(), 10);
    EXPECT_EQ(name.mid(5).toInt(), 10000); // the scripted source draws the lowest value
    // The clock seeds the generator.
    EXPECT_EQ(f.random.seeds, std::vector<std::uint32_t>{((12 * 60 + 34) * 60 + 56) * 1000 + 789});

    // The synth gets the whole voice once, then the operator mask, then the ten name changes.
    const Messages sent = f.toSynth();
    ASSERT_EQ(sent.size(), 4u + 1u + 10u);
    EXPECT_EQ(sent[0].size(), 101u);
    EXPECT_EQ(sent[1].size(), 41u);
    EXPECT_EQ(sent[2].size(), 28u);
    EXPECT_EQ(sent[3].size(), 21u);
    EXPECT_EQ(sent[4], paramChange(0x12, 0x5D, 0x0F));
    EXPECT_EQ(sent[5], paramChange(0x12, 77, 'R'));
    // The shared knobs 0..3 show the current group again, and the controller heard it last.
    const TMod& breath = e.Map().Mod(2);
    EXPECT_EQ(f.knob("Knob0").Position(), f.val(*breath.Variant[0]));
    const Messages echoes = f.toController();
    EXPECT_EQ(echoes[echoes.size() - 4], echo(0, f.val(*breath.Variant[0])));
    EXPECT_EQ(echoes.back(), echo(3, f.val(*breath.Variant[3])));
}

TEST_F(Randomiser, ControllerCc21Randomises) {
    f.cc(21, 0);
    EXPECT_EQ(f.toSynth().front().size(), 101u);
    EXPECT_TRUE(f.controls.Edit(QStringLiteral("eName")).text.startsWith(QStringLiteral("Rand ")));
}

TEST_F(Randomiser, AnEqualDrawForTheNextOperatorLeavesItAlone) {
    // Every draw is the lowest value: with 100 % that is 0 for every record.
    e.sbRandChange(100);
    f.cc(101, 1);
    f.cc(32, 5); // operator 2's fixed range
    f.cc(100, 1);
    e.lRandomClick();
    // Operator 1 draws 0 for row 32, which the row already holds; operator 2 then draws 0 too,
    // equal to the row's last value, so its 5 stays although the knob showed 0.
    EXPECT_EQ(f.val(e.Map().Op(0).Field(OpField::FixRange)), 0);
    EXPECT_EQ(f.val(e.Map().Op(1).Field(OpField::FixRange)), 5);
    // Likewise the output level: operator 1 drops from 90 to 0, operator 2 keeps its 90.
    EXPECT_EQ(f.val(e.Map().Op(0).Field(OpField::Out)), 0);
    EXPECT_EQ(f.val(e.Map().Op(1).Field(OpField::Out)), 90);
}

TEST_F(Randomiser, DrawsRowByRowAndEachRowsSlotsInTurn) {
    e.sbRandChange(100);
    f.random.values = {11, 22, 33, 44};
    e.lRandomClick();
    EXPECT_EQ(f.val(*e.Map().Mod(0).Variant[0]), 11); // row 0: aftertouch,
    EXPECT_EQ(f.val(*e.Map().Mod(1).Variant[0]), 22); // mod wheel,
    EXPECT_EQ(f.val(*e.Map().Mod(2).Variant[0]), 33); // breath (the foot group has no row 0)
    EXPECT_EQ(f.val(*e.Map().Mod(0).Variant[1]), 44); // then row 1
}

TEST_F(Randomiser, TheSpreadReachesBothEnds) {
    const TSyx_Param& speed = e.Map().SingleRecord(6); // max 99: 5 % is a spread of 4
    e.sbRandChange(5);
    f.cc(6, 50);
    e.lRandomClick(); // the lowest draws
    EXPECT_EQ(f.val(speed), 46);
    f.cc(6, 50);
    f.random.highestWhenEmpty = true;
    e.lRandomClick();
    EXPECT_EQ(f.val(speed), 54);
}

TEST_F(Randomiser, ButtonRowsAreRememberedButNotEchoed) {
    e.sbRandChange(100);
    f.random.highestWhenEmpty = true;
    e.lRandomClick();
    f.settle();
    for (const EditorFixture::Message& sent : f.toController())
        EXPECT_FALSE(sent[1] >= 8 && sent[1] <= 23) << "echo on CC " << int(sent[1]);
    ASSERT_EQ(f.val(e.Map().SingleRecord(22)), 7);
    f.clearSent();
    f.cc(22, 7); // the controller's button shows 7 too: nothing to change
    EXPECT_TRUE(f.toSynth().empty());
}

TEST_F(Randomiser, RedrawsEveryOperatorsPanel) {
    e.sbRandChange(100);
    f.random.highestWhenEmpty = true;
    e.lRandomClick();
    for (int op = 0; op < 4; ++op) {
        SCOPED_TRACE(op);
        const TOp& record = e.Map().Op(op);
        const HeadlessGraph& graph = f.controls.Graph(QStringLiteral("gAdsr%1").arg(op + 1));
        EXPECT_EQ(graph.GetValue(0), f.val(record.Field(OpField::AR)));
        EXPECT_EQ(graph.GetValue(2), f.val(record.Field(OpField::D1R)));
        EXPECT_EQ(graph.GetValue(4), f.val(record.Field(OpField::D2R)));
        EXPECT_EQ(graph.GetValue(6), f.val(record.Field(OpField::RR)));
        EXPECT_EQ(graph.GetValue(7), f.val(record.Field(OpField::Shift)) * 8);
        EXPECT_EQ(f.controls.Picture(QStringLiteral("gWave%1").arg(op + 1)).state,
                  f.val(record.Field(OpField::Wave)));
        EXPECT_EQ(f.controls.Bar(QStringLiteral("pbOp%1").arg(op + 1)).position,
                  f.val(record.Field(OpField::Out)));
    }
}

} // namespace
