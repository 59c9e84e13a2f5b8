#include "controls/caption_label.h"
#include "controls/control_styles.h"
#include "controls/knob.h"
#include "controls/wallpaper.h"
#include "pixel_checks.h"
#include "support/widget_events.h"

#include <QPainter>
#include <climits>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

namespace {
// A knob of the patch page, 0..99, on a black window.
class PatchKnob : public testing::Test {
protected:
    PatchKnob() {
        stylePatchKnob(knob);
        knob.move(10, 10);
        knob.SetMax(99);
        knob.OnChange = [this] { ++changes; };
    }
    // Shown, so that it takes the focus and hears of resizes at once.
    void show() {
        knob.show();
        QApplication::processEvents();
    }
    QPointF dot() { return redCentre(knob.ComposeFrame()); }

    Stage stage{Qt::black};
    TKnob knob{&stage.parent};
    int changes = 0;
};

// Distance of the dot's centre from the knob's: radius - inset - 1 - LineLength / 2.
constexpr double DotDistance = 37.5 - 3 - 1 - 6;
constexpr double BorderedDotDistance = 37.5 - 5 - 1 - 6;

// Whether a whitish ring pixel lies on the top of the face.
bool hasWhiteRing(const QImage& frame) {
    for (int y = 0; y < 6; ++y) {
        const QRgb p = frame.pixel(37, y);
        if (qRed(p) > 100 && qRed(p) == qGreen(p) && qGreen(p) == qBlue(p))
            return true;
    }
    return false;
}
} // namespace

TEST_F(PatchKnob, DrawsTheDotOnTheArcForEachValue) {
    const std::pair<int, int> cases[] = {{0, 240}, {50, 88}, {99, -60}};
    for (const auto& [position, angle] : cases) {
        knob.SetPosition(position);
        EXPECT_EQ(knob.Angle(), angle);
        EXPECT_LT(distanceBetween(dot(), dotCentre(75, angle, DotDistance)), 0.15) << position;
    }
}

TEST_F(PatchKnob, ReversedRangeTurnsTheOtherWay) {
    knob.SetMin(31);
    knob.SetMax(0);
    knob.SetPosition(31);
    EXPECT_LT(distanceBetween(dot(), dotCentre(75, 240, DotDistance)), 0.15);
    knob.SetPosition(0);
    EXPECT_LT(distanceBetween(dot(), dotCentre(75, -60, DotDistance)), 0.15);
    knob.SetPosition(40);
    EXPECT_EQ(knob.Position(), 31);
    knob.SetPosition(-5);
    EXPECT_EQ(knob.Position(), 0);
}

TEST_F(PatchKnob, StaysSquareWhenResized) {
    show();
    knob.resize(80, 75);
    EXPECT_EQ(knob.size(), QSize(80, 80));
    EXPECT_EQ(knob.ComposeFrame().size(), QSize(80, 80));
    EXPECT_LT(distanceBetween(dot(), dotCentre(80, 240, 40 - 3 - 1 - 6)), 0.15);
    knob.resize(70, 80);
    EXPECT_EQ(knob.size(), QSize(70, 70));
}

TEST_F(PatchKnob, HiddenKnobTakesItsNewSizeBeforeDrawing) {
    knob.resize(80, 75);
    EXPECT_EQ(knob.ComposeFrame().size(), QSize(80, 80));
    EXPECT_EQ(knob.size(), QSize(80, 80));
}

TEST_F(PatchKnob, LineSizesStayWithinTheirLimits) {
    knob.SetLineLength(100);
    EXPECT_FLOAT_EQ(knob.LineLength(), 37.5f - 9);
    knob.SetLineLength(1);
    EXPECT_FLOAT_EQ(knob.LineLength(), 3);
    knob.SetLineLength(std::numeric_limits<float>::quiet_NaN());
    EXPECT_FLOAT_EQ(knob.LineLength(), 3);
    knob.SetLineWidth(20);
    EXPECT_FLOAT_EQ(knob.LineWidth(), 8);
    knob.SetLineWidth(std::numeric_limits<float>::quiet_NaN());
    EXPECT_FLOAT_EQ(knob.LineWidth(), 8);
    knob.SetValCentre(70); // the text stays 20 pixels inside the edges
    EXPECT_EQ(knob.ValCentre(), 55);
    knob.SetValTop(-4);
    EXPECT_EQ(knob.ValTop(), 0);
}

TEST_F(PatchKnob, HoverPreviewsTheValueAndLeavingRestoresIt) {
    show();
    knob.SetPosition(10);
    changes = 0;
    events::enter(knob, QPoint(70, 37));
    events::drag(knob, QPoint(70, 37), Qt::NoButton); // straight right: 0 degrees
    EXPECT_EQ(knob.ValueText(), QStringLiteral("79 "));
    EXPECT_EQ(knob.Position(), 10);
    EXPECT_EQ(changes, 0);
    // Hovering shows the rings and moves the dot inwards past them.
    EXPECT_TRUE(knob.DrawBorder());
    EXPECT_TRUE(hasWhiteRing(knob.ComposeFrame()));
    EXPECT_LT(distanceBetween(dot(), dotCentre(75, knob.Angle(), BorderedDotDistance)), 0.15);

    events::leave(knob);
    EXPECT_EQ(knob.ValueText(), QStringLiteral("10 "));
    EXPECT_FALSE(knob.DrawBorder());
    EXPECT_FALSE(hasWhiteRing(knob.ComposeFrame()));
}

TEST_F(PatchKnob, PressReportsBeforeItSetsTheValue) {
    show();
    knob.SetPosition(10);
    changes = 0;
    std::vector<int> seen;
    knob.OnMouseDown = [&](Qt::MouseButton, Qt::KeyboardModifiers, QPoint) {
        seen.push_back(knob.Position());
    };
    events::press(knob, QPoint(70, 37));
    EXPECT_EQ(seen, std::vector<int>{10});
    EXPECT_EQ(knob.Position(), 79);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(knob.hasFocus());
    events::release(knob, QPoint(70, 37));
    EXPECT_EQ(changes, 1); // the release lands on the value already set

    // A press outside the round face, or with another button, is reported but sets nothing.
    events::press(knob, QPoint(1, 1));
    events::press(knob, QPoint(5, 37), Qt::RightButton);
    EXPECT_EQ(seen.size(), 3u);
    EXPECT_EQ(knob.Position(), 79);
}

TEST_F(PatchKnob, DragCannotJumpAcrossTheGap) {
    show();
    events::press(knob, QPoint(50, 70)); // below right of the centre: the Max end
    EXPECT_EQ(knob.Position(), 99);
    events::drag(knob, QPoint(20, 70)); // across the gap to the Min end
    EXPECT_EQ(knob.Position(), 99);
    events::release(knob, QPoint(20, 70));
    EXPECT_EQ(knob.Position(), 99);

    events::press(knob, QPoint(50, 70));
    events::drag(knob, QPoint(70, 37));
    EXPECT_EQ(knob.Position(), 79);
}

TEST_F(PatchKnob, KeysStopAtTheEndsOfInt) {
    show();
    knob.SetParams(INT_MAX - 1, 0, INT_MAX);
    events::key(knob, Qt::Key_PageUp);
    EXPECT_EQ(knob.Position(), INT_MAX);
    events::key(knob, Qt::Key_Right);
    EXPECT_EQ(knob.Position(), INT_MAX);
    knob.SetParams(INT_MIN, INT_MIN, 0);
    events::key(knob, Qt::Key_PageDown);
    events::key(knob, Qt::Key_Left);
    EXPECT_EQ(knob.Position(), INT_MIN);
}

TEST_F(PatchKnob, KeysStepThroughTheRange) {
    show();
    std::vector<int> seen;
    knob.OnKeyDown = [&](int, Qt::KeyboardModifiers) { seen.push_back(knob.Position()); };
    knob.SetPosition(10);
    events::key(knob, Qt::Key_PageUp);
    EXPECT_EQ(knob.Position(), 53); // the page size is 43
    events::key(knob, Qt::Key_PageDown);
    EXPECT_EQ(knob.Position(), 10);
    events::key(knob, Qt::Key_End);
    EXPECT_EQ(knob.Position(), 99);
    events::key(knob, Qt::Key_Left);
    events::key(knob, Qt::Key_Down);
    EXPECT_EQ(knob.Position(), 97);
    events::key(knob, Qt::Key_Up);
    events::key(knob, Qt::Key_Right);
    events::key(knob, Qt::Key_Right);
    EXPECT_EQ(knob.Position(), 99);
    events::key(knob, Qt::Key_Home);
    EXPECT_EQ(knob.Position(), 0);
    EXPECT_EQ(seen, (std::vector<int>{10, 53, 10, 99, 98, 97, 98, 99, 99}));

    // Every setting notifies, even at the end of the range; other keys set nothing.
    changes = 0;
    events::key(knob, Qt::Key_Left);
    events::key(knob, Qt::Key_A);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(seen.size(), 11u);
}

TEST_F(PatchKnob, WheelNotchesGoToThePageAndPassOn) {
    std::vector<std::pair<char, Qt::KeyboardModifiers>> notches;
    knob.OnMouseWheelUp = [&](Qt::KeyboardModifiers m) { notches.push_back({'u', m}); };
    knob.OnMouseWheelDown = [&](Qt::KeyboardModifiers m) { notches.push_back({'d', m}); };
    EXPECT_FALSE(events::wheel(knob, 120, Qt::ShiftModifier));
    events::wheel(knob, 60);
    events::wheel(knob, 60);
    events::wheel(knob, -240);
    ASSERT_EQ(notches.size(), 4u);
    EXPECT_EQ(notches[0], std::make_pair('u', Qt::KeyboardModifiers(Qt::ShiftModifier)));
    EXPECT_EQ(notches[1].first, 'u');
    EXPECT_EQ(notches[2].first, 'd');
    EXPECT_EQ(notches[3].first, 'd');
    EXPECT_EQ(knob.Position(), 0);
}

TEST_F(PatchKnob, SpringLoadedKnobReturnsToZero) {
    show();
    knob.SetPosition(30);
    knob.SetSpringLoaded(true);
    EXPECT_EQ(knob.Position(), 0);
    events::press(knob, QPoint(70, 37));
    EXPECT_EQ(knob.Position(), 79);
    events::release(knob, QPoint(70, 37));
    EXPECT_EQ(knob.Position(), 0);
    knob.SetPosition(40);
    knob.setFocus();
    knob.clearFocus();
    EXPECT_EQ(knob.Position(), 0);
}

TEST_F(PatchKnob, FocusShowsTheRings) {
    show();
    knob.setFocus();
    EXPECT_TRUE(knob.DrawBorder());
    knob.clearFocus();
    EXPECT_FALSE(knob.DrawBorder());
    knob.SetShowFocusedState(false);
    knob.setFocus();
    EXPECT_FALSE(knob.DrawBorder());
}

TEST_F(PatchKnob, HiddenPointerOnlyForTransparentOrImageKnobs) {
    knob.SetShowIndicator(false);
    EXPECT_TRUE(redCentre(knob.ComposeFrame()).isNull());
    knob.SetTransparent(false); // a plain knob always shows its pointer
    EXPECT_FALSE(redCentre(knob.ComposeFrame()).isNull());
}

TEST_F(PatchKnob, PositionLabelMirrorsTheValueUntilItGoes) {
    auto label = std::make_unique<CaptionLabel>(&stage.parent);
    knob.Caption = QStringLiteral("Hz");
    knob.SetPositionLabel(label.get());
    EXPECT_EQ(label->text(), QStringLiteral("0 Hz"));
    knob.SetValStrList({QStringLiteral("Off"), QStringLiteral("On")});
    knob.SetPosition(1);
    EXPECT_EQ(label->text(), QStringLiteral("On Hz"));
    knob.SetPosition(7);
    EXPECT_EQ(label->text(), QStringLiteral("7 Hz"));
    knob.setEnabled(false);
    EXPECT_FALSE(label->isEnabled());
    label.reset();
    EXPECT_EQ(knob.PositionLabel, nullptr);
    knob.SetPosition(8);
    EXPECT_EQ(knob.ValueText(), QStringLiteral("8 "));
}

TEST(KnobFace, TransparentFaceShowsWhatTheParentPaints) {
    // Left half blue, right half green.
    struct TwoTone : QWidget {
        void paintEvent(QPaintEvent*) override {
            QPainter painter(this);
            painter.fillRect(0, 0, width() / 2, height(), Qt::blue);
            painter.fillRect(width() / 2, 0, width() - width() / 2, height(), Qt::green);
        }
    } parent;
    parent.resize(100, 100);
    TKnob knob(&parent);
    knob.setGeometry(12, 10, 75, 75);
    knob.SetTransparent(true);
    knob.SetDrawBorder(false);
    knob.SetRotateImage(false);
    const QImage frame = knob.ComposeFrame();
    EXPECT_EQ(frame.pixel(10, 37), qRgb(0, 0, 255));
    EXPECT_EQ(frame.pixel(65, 37), qRgb(0, 255, 0));
    // The background is kept between paints, but not past a move.
    knob.move(-30, 10);
    EXPECT_EQ(knob.ComposeFrame().pixel(65, 37), qRgb(0, 0, 255));
}

TEST(KnobFace, TheKeptBackgroundFollowsANewWallpaper) {
    TWallpaper wall;
    wall.resize(100, 100);
    const auto plain = [](Qt::GlobalColor colour) {
        QImage picture(10, 10, QImage::Format_RGB32);
        picture.fill(colour);
        return picture;
    };
    wall.SetWallpaper(plain(Qt::blue));
    TKnob knob(&wall);
    knob.setGeometry(10, 10, 75, 75);
    knob.SetTransparent(true);
    knob.SetDrawBorder(false);
    knob.SetRotateImage(false);
    EXPECT_EQ(knob.ComposeFrame().pixel(37, 37), qRgb(0, 0, 255));
    wall.SetWallpaper(plain(Qt::green));
    EXPECT_EQ(knob.ComposeFrame().pixel(37, 37), qRgb(0, 255, 0));
}

TEST(KnobFace, ImageIsCentredWhenSmallerAndCroppedWhenLarger) {
    Stage stage(Qt::black);
    TKnob knob(&stage.parent);
    knob.setGeometry(0, 0, 50, 50);
    knob.SetColor(Colours::Blue);
    knob.SetDrawBorder(false);
    knob.SetRotateImage(false);
    knob.SetShowIndicator(false);
    QImage small(20, 20, QImage::Format_RGB32);
    small.fill(Qt::green);
    knob.SetKnobImage(small);
    QImage frame = knob.ComposeFrame();
    EXPECT_EQ(frame.pixel(15, 25), qRgb(0, 255, 0));
    EXPECT_EQ(frame.pixel(34, 25), qRgb(0, 255, 0));
    EXPECT_EQ(frame.pixel(14, 25), qRgb(0, 0, 255));
    EXPECT_EQ(frame.pixel(35, 25), qRgb(0, 0, 255));
    EXPECT_EQ(frame.pixel(0, 0), qRgb(0, 0, 0)); // outside the face: the parent

    QImage large(100, 100, QImage::Format_RGB32);
    large.fill(Qt::red);
    QPainter(&large).fillRect(50, 0, 50, 100, Qt::yellow);
    knob.SetKnobImage(large);
    frame = knob.ComposeFrame();
    EXPECT_EQ(frame.pixel(24, 25), qRgb(255, 0, 0));
    EXPECT_EQ(frame.pixel(25, 25), qRgb(255, 255, 0));
}

TEST(KnobFace, PlainBevelIsDarkBehindThePointer) {
    Stage stage(Qt::gray);
    TKnob knob(&stage.parent);
    knob.setGeometry(0, 0, 75, 75);
    const auto lightness = [](QRgb p) { return qGray(p); };
    knob.SetPosition(knob.Min()); // pointer lower left: the upper left arc is shaded
    QImage frame = knob.ComposeFrame();
    EXPECT_LT(lightness(frame.pixel(37, 3)) + 15, lightness(frame.pixel(37, 72)));
    knob.SetPosition(knob.Max()); // pointer lower right: the shade moves down
    frame = knob.ComposeFrame();
    EXPECT_GT(lightness(frame.pixel(37, 3)), lightness(frame.pixel(37, 72)) + 15);
}

TEST(KnobFace, NothingIsDrawnWithoutAParent) {
    TKnob knob;
    EXPECT_TRUE(knob.ComposeFrame().isNull());
}
