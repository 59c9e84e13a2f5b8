#include "views/headless_controls.h"
#include "views/knob_value.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

KnobValue& rangeKnob(KnobValue& knob, int min, int max) {
    knob.SetParams(knob.Position(), min, max);
    return knob;
}

TEST(KnobAngles, PositionsOfAPatchKnob) {
    KnobValue knob;
    rangeKnob(knob, 0, 99);
    knob.SetPosition(0);
    EXPECT_EQ(knob.Angle(), 240);
    knob.SetPosition(50);
    EXPECT_EQ(knob.Angle(), 88); // 240 - round(50 x 300 / 99)
    knob.SetPosition(99);
    EXPECT_EQ(knob.Angle(), -60);
}

TEST(KnobAngles, ReversedRangeCountsDownClockwiseAndClamps) {
    KnobValue knob;
    knob.SetParams(0, 31, 0);
    EXPECT_LT(knob.Step(), 0);
    knob.SetPosition(31);
    EXPECT_EQ(knob.Angle(), 240);
    knob.SetPosition(0);
    EXPECT_EQ(knob.Angle(), -60);
    knob.SetPosition(40);
    EXPECT_EQ(knob.Position(), 31);
    knob.SetPosition(-5);
    EXPECT_EQ(knob.Position(), 0);
    EXPECT_EQ(knob.CalcPosition(240), 31);
    EXPECT_EQ(knob.CalcPosition(-60), 0);
}

TEST(KnobAngles, EqualMinAndMaxPinsThePointer) {
    KnobValue knob;
    knob.SetParams(7, 7, 7);
    EXPECT_EQ(knob.Step(), 0);
    EXPECT_EQ(knob.Angle(), 240);
    for (int a : {-60, 0, 90, 240})
        EXPECT_EQ(knob.CalcPosition(a), 7);
}

TEST(KnobAngles, CalcPositionRoundsTiesToEven) {
    KnobValue knob;
    rangeKnob(knob, 0, 150);              // 2 degrees per unit: odd angles fall on half units
    EXPECT_EQ(knob.CalcPosition(239), 0); // 0.5
    EXPECT_EQ(knob.CalcPosition(237), 2); // 1.5
    EXPECT_EQ(knob.CalcPosition(235), 2); // 2.5
    EXPECT_EQ(knob.CalcPosition(233), 4); // 3.5
}

TEST(KnobNotice, EverySettingRaisesTheChangeNotice) {
    KnobValue knob;
    int notices = 0;
    knob.OnChange = [&] { ++notices; };
    knob.SetPosition(5);
    knob.SetPosition(5);
    knob.SetMax(99);
    knob.SetMin(0);
    EXPECT_EQ(notices, 4);
}

TEST(KnobNotice, TheNoticeSeesTheNewPosition) {
    KnobValue knob;
    int seen = -1;
    knob.OnChange = [&] { seen = knob.Position(); };
    knob.SetPosition(300);
    EXPECT_EQ(seen, 127);
}

TEST(KnobText, NamedValuesAndNumbers) {
    KnobValue knob;
    knob.SetValStrList({QStringLiteral("Off"), QStringLiteral("On")});
    knob.SetPosition(1);
    EXPECT_EQ(knob.ValueText(), QStringLiteral("On"));
    knob.SetPosition(2);
    EXPECT_EQ(knob.ValueText(), QStringLiteral("2 "));
    knob.ShowPositionStr(-1);
    EXPECT_EQ(knob.ValueText(), QStringLiteral("-1 "));
}

TEST(KnobText, PositionLabelMirrorsTheValueWithCaption) {
    KnobValue knob;
    HeadlessCaption label;
    knob.PositionLabel = &label;
    knob.Caption = QStringLiteral("Hz");
    knob.SetPosition(12);
    EXPECT_EQ(label.caption, QStringLiteral("12 Hz"));
    knob.SetValStrList({QStringLiteral("a"), QStringLiteral("b")});
    knob.SetPosition(1);
    EXPECT_EQ(label.caption, QStringLiteral("b Hz"));
}

TEST(KnobPointer, AnglesAroundTheCentre) {
    // 75 x 75: centre (37, 37)
    EXPECT_EQ(KnobValue::PointerAngle(37, 10, 75, 75), 90);  // straight up
    EXPECT_EQ(KnobValue::PointerAngle(37, 60, 75, 75), 240); // straight down: the Min end
    EXPECT_EQ(KnobValue::PointerAngle(70, 37, 75, 75), 0);   // right
    EXPECT_EQ(KnobValue::PointerAngle(5, 37, 75, 75), 180);  // left
    EXPECT_EQ(KnobValue::PointerAngle(45, 74, 75, 75), -60); // lower right gap
    EXPECT_EQ(KnobValue::PointerAngle(20, 70, 75, 75), 240); // lower left gap
    EXPECT_EQ(KnobValue::PointerAngle(10, 10, 75, 75), 135);
}

// No knob of the program goes near the ends of int, but the rules are public: they neither
// overflow nor turn the range round there.
TEST(KnobExtremes, TheWholeRangeOfInt) {
    KnobValue knob;
    knob.SetParams(0, INT_MIN, INT_MAX);
    EXPECT_GT(knob.Step(), 0);
    EXPECT_EQ(knob.Position(), 0);
    EXPECT_EQ(knob.Angle(), 90);
    knob.SetPosition(INT_MAX);
    EXPECT_EQ(knob.Angle(), -60);
    knob.SetPosition(INT_MIN);
    EXPECT_EQ(knob.Angle(), 240);
    EXPECT_EQ(knob.CalcPosition(240), INT_MIN);
    EXPECT_EQ(knob.CalcPosition(-60), INT_MAX);
    EXPECT_EQ(knob.CalcPosition(INT_MIN), INT_MAX); // angles far outside stop at the ends
    EXPECT_EQ(knob.CalcPosition(INT_MAX), INT_MIN);
    knob.SetParams(0, INT_MAX, INT_MIN); // reversed
    EXPECT_LT(knob.Step(), 0);
    EXPECT_EQ(knob.CalcPosition(240), INT_MAX);
}

TEST(KnobExtremes, StepsStopAtTheEndsOfInt) {
    KnobValue knob;
    knob.SetParams(INT_MAX - 5, 0, INT_MAX);
    knob.StepPosition(43);
    EXPECT_EQ(knob.Position(), INT_MAX);
    knob.SetParams(INT_MIN + 5, INT_MIN, 0);
    knob.StepPosition(-43);
    EXPECT_EQ(knob.Position(), INT_MIN);
    knob.StepPosition(7);
    EXPECT_EQ(knob.Position(), INT_MIN + 7);
}

TEST(KnobExtremes, PointerAnglesOfFarPoints) {
    EXPECT_EQ(KnobValue::PointerAngle(INT_MAX, 37, 75, 75), 0);
    EXPECT_EQ(KnobValue::PointerAngle(INT_MIN, 37, 75, 75), 180);
    EXPECT_EQ(KnobValue::PointerAngle(INT_MAX, INT_MIN, 75, 75), 45);
    EXPECT_EQ(KnobValue::PointerAngle(37, INT_MIN, 75, 75), 90);
}

} // namespace
