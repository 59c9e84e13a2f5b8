#include "support/editor_fixture.h"

#include <gtest/gtest.h>

namespace {

using Messages = std::vector<EditorFixture::Message>;
using Button = Editor::MouseButton;

struct PatchPage : ::testing::Test {
    EditorFixture f;
    Editor& e = f.editor;
    void SetUp() override { f.startWithDevices(); }
    CaptionView* button(const char* name) {
        return f.controls.FindCaption(QString::fromLatin1(name));
    }
    // A press reports twice, then the release clicks.
    void click(const char* name, Button b = Button::Left, bool ctrl = false) {
        e.lValMouseDown(button(name), b, ctrl);
        e.lValMouseDown(button(name), b, ctrl);
        if (b == Button::Left)
            e.lValClick(button(name));
        f.settle();
    }
};

TEST_F(PatchPage, ValueButtonStepsAndWraps) {
    const TSyx_Param& wave = e.Map().SingleRecord(14); // max 3
    click("lVal14");
    EXPECT_EQ(f.val(wave), 1);
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 59, 1)});
    EXPECT_EQ(f.toController(), Messages{echo(14, 1)});
    EXPECT_EQ(f.caption("lVal14"), QStringLiteral("Sqr"));
    f.cc(14, 3);
    click("lVal14");
    EXPECT_EQ(f.val(wave), 0);
    click("lVal14", Button::Left, true); // Ctrl steps back: 0 wraps to the top
    EXPECT_EQ(f.val(wave), 3);
}

TEST_F(PatchPage, RightClickStepsBackOnce) {
    const TSyx_Param& poly = e.Map().SingleRecord(12);
    click("lVal12", Button::Right);
    EXPECT_EQ(f.val(poly), 1); // 0 backwards wraps to 1
    click("lVal12", Button::Right);
    EXPECT_EQ(f.val(poly), 0);
}

TEST_F(PatchPage, OperatorButtonsOfAmeAndFixStepTheirOperator) {
    click("lVal10"); // operator 3 amplitude modulation
    EXPECT_EQ(f.val(e.Map().Op(2).Field(OpField::AME)), 1);
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 26 + 8, 1)});
    click("lVal19"); // operator 4 fix
    EXPECT_EQ(f.val(e.Map().Op(3).Field(OpField::Fix)), 1);
}

TEST_F(PatchPage, OnOffButtonOfAnotherOperatorTogglesAndEchoes) {
    click("lVal98");
    EXPECT_EQ(f.val(e.Map().OpSwitch(2)), 0);
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 0x5D, 0x0D)});
    EXPECT_EQ(f.toController(),
              (Messages{echo(96, 1), echo(97, 1), echo(98, 0), echo(99, 1), echo(98, 0)}));
}

TEST_F(PatchPage, OnOffButtonOfTheSelectedOperatorKeepsItOn) {
    click("lVal96");
    EXPECT_EQ(f.val(e.Map().OpSwitch(0)), 1);
    EXPECT_EQ(f.toController(), Messages{echo(96, 1)});
}

TEST_F(PatchPage, OperatorSelectButtons) {
    e.lOpClick(button("lVal103"));
    EXPECT_EQ(e.State().SelectedOp, 3);
}

TEST_F(PatchPage, WheelDividerAndPageSize) {
    e.WheelSizeClick(3);
    KnobValue& knob = f.knob("Knob30");
    knob.PageSize = 43;
    for (int i = 0; i < 3; ++i)
        e.KnobMouseWheelUp(&knob, false);
    f.settle();
    EXPECT_EQ(knob.Position(), 1);
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 56, 1)});
    for (int i = 0; i < 9; ++i)
        e.KnobMouseWheelUp(&knob, true);
    EXPECT_EQ(knob.Position(), 99); // 1 + 43 + 43 + 43, held at the top
    EXPECT_EQ(f.val(e.Map().SingleRecord(30)), 99);
}

TEST_F(PatchPage, SkippedWheelEventsChangeNothing) {
    e.WheelSizeClick(3);
    f.cc(31, 10);
    e.KnobMouseWheelDown(&f.knob("Knob31"), false);
    f.settle();
    EXPECT_EQ(f.knob("Knob31").Position(), 10);
    EXPECT_EQ(f.toSynth().size(), 1u);
    e.WheelSizeClick(0);
    KnobValue& knob = f.knob("Knob5");
    e.KnobMouseWheelUp(&knob, false); // divider 0: every event steps
    EXPECT_EQ(knob.Position(), 1);
}

TEST_F(PatchPage, HoverShowsTheSelectedOperatorsLabel) {
    HeadlessCaption& label = f.controls.Caption(QStringLiteral("lVal40"));
    label.visible = false;
    e.KnobMouseEnter(&f.knob("Knob40"));
    EXPECT_TRUE(label.visible);
    e.KnobMouseLeave(&f.knob("Knob40"));
    EXPECT_FALSE(label.visible);
    e.KnobMouseLeave(&f.knob("Knob1")); // leaving a modulation knob hides its label too
    EXPECT_FALSE(f.controls.Caption(QStringLiteral("lVal1")).visible);
}

TEST_F(PatchPage, KeyAndPressArmOneChange) {
    KnobValue& knob = f.knob("Knob7");
    knob.UserSetPosition(12);
    knob.SetPosition(13); // a drag after the press changes only the knob
    f.settle();
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x12, 55, 12)});
}

TEST_F(PatchPage, RandomButtonRightClickRandomises) {
    click("lVal21", Button::Right);
    EXPECT_EQ(f.toSynth().front().size(), 101u);
}

} // namespace
