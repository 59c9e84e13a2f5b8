#include "views/control_lookup.h"
#include "views/headless_controls.h"

#include <gtest/gtest.h>

namespace {

TEST(HeadlessControls, HaveExactlyTheControlsTheyAreGivenOfTheirKind) {
    HeadlessControls controls({{QStringLiteral("Knob6"), ControlKind::Knob},
                               {QStringLiteral("lVal6"), ControlKind::Caption}});
    EXPECT_NE(controls.FindKnob(QStringLiteral("Knob6")), nullptr);
    EXPECT_NE(controls.FindCaption(QStringLiteral("lVal6")), nullptr);
    EXPECT_EQ(controls.FindKnob(QStringLiteral("lVal6")), nullptr); // a caption, not a knob
    EXPECT_EQ(controls.FindCaption(QStringLiteral("lVal7")), nullptr);
    EXPECT_THROW(controls.Caption(QStringLiteral("lVal7")), std::out_of_range);
}

TEST(CheckedLookup, KeepsEachNameThatFoundNothingOnce) {
    HeadlessControls controls({{QStringLiteral("Knob6"), ControlKind::Knob}});
    CheckedLookup lookup(controls);
    EXPECT_NE(lookup.FindKnob(QStringLiteral("Knob6")), nullptr);
    EXPECT_EQ(lookup.FindGraph(QStringLiteral("gAdsr1")), nullptr);
    EXPECT_EQ(lookup.FindGraph(QStringLiteral("gAdsr1")), nullptr);
    EXPECT_EQ(lookup.FindToggle(QStringLiteral("Knob6")), nullptr);
    EXPECT_EQ(lookup.Missing(), (QStringList{QStringLiteral("gAdsr1"), QStringLiteral("Knob6")}));
}

} // namespace
