#include "support/editor_fixture.h"

#include <gtest/gtest.h>

namespace {

using Messages = std::vector<EditorFixture::Message>;

struct ModGroups : ::testing::Test {
    EditorFixture f;
    Editor& e = f.editor;
    void SetUp() override { f.startWithDevices(); }
    HeadlessCaption& label(const char* name) {
        return f.controls.Caption(QString::fromLatin1(name));
    }
};

TEST_F(ModGroups, StartsInTheStoredGroup) {
    EXPECT_EQ(e.State().ModGroup, 1);
    EXPECT_EQ(label("lModGroup").caption, QStringLiteral(" Ctrl: Mod Wheel "));
    EXPECT_EQ(label("lMod1").color, Colours::Green);
    EXPECT_EQ(label("lMod2").fontColor, Colours::White);
}

TEST_F(ModGroups, FourPressesComeBackEachEchoingItsRecords) {
    e.lModGroupClick(); // breath
    f.settle();
    EXPECT_EQ(f.toController(), (Messages{echo(0, 0), echo(1, 0), echo(2, 0), echo(3, 0)}));
    f.clearSent();
    e.lModGroupClick(); // foot: no knob 0
    f.settle();
    EXPECT_EQ(f.toController(), (Messages{echo(1, 0), echo(2, 0), echo(3, 0)}));
    EXPECT_FALSE(label("lVal0").visible);
    EXPECT_EQ(label("lMod1").caption.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts)[1],
              QStringLiteral("Vol"));
    e.lModGroupClick(); // aftertouch
    e.lModGroupClick(); // mod wheel again
    EXPECT_EQ(e.State().ModGroup, 1);
    EXPECT_TRUE(f.toSynth().empty());
}

TEST_F(ModGroups, ModWheelHidesItsMissingKnobsAndLeavesThemWhereTheyWere) {
    f.selectModGroup(0);
    f.cc(2, 70); // aftertouch pitch
    f.clearSent();
    e.lModGroupClick(); // mod wheel
    f.settle();
    EXPECT_FALSE(label("lVal2").visible);
    EXPECT_FALSE(label("lVal3").visible);
    EXPECT_TRUE(label("lVal1").visible);
    EXPECT_EQ(f.knob("Knob2").Position(), 70);
    EXPECT_EQ(f.toController(), (Messages{echo(0, 0), echo(1, 0)}));
}

TEST_F(ModGroups, LabelsShowPlainNumbersUntilTheNextEdit) {
    f.selectModGroup(0); // aftertouch, whose pitch record has names
    f.cc(2, 50);
    EXPECT_EQ(label("lVal2").caption, QStringLiteral("0"));
    f.selectModGroup(1);
    f.selectModGroup(0);
    EXPECT_EQ(label("lVal2").caption, QStringLiteral("50"));
    f.cc(2, 60);
    EXPECT_EQ(label("lVal2").caption, QStringLiteral("10"));
    EXPECT_EQ(f.toSynth(), Messages{paramChange(0x13, 25, 60)});
}

TEST_F(ModGroups, FootGroupSendsNothingForKnobZero) {
    f.selectModGroup(3);
    f.cc(0, 9);
    EXPECT_TRUE(f.toSynth().empty());
}

TEST(ModGroupStart, StoredGroupOutsideTheRangeFallsBackToModWheel) {
    EditorFixture f;
    f.settings.SetValue("Modulation", "Start", 7);
    f.editor.StartUp();
    EXPECT_EQ(f.editor.State().ModGroup, 1);
    EditorFixture g;
    g.settings.SetValue("Modulation", "Start", 2);
    g.editor.StartUp();
    EXPECT_EQ(g.editor.State().ModGroup, 2);
    EXPECT_EQ(g.caption("lModGroup"), QStringLiteral(" Ctrl: Breath  "));
}

} // namespace
