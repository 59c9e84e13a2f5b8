#include "controls/bevel_frame.h"
#include "controls/transparent_button.h"
#include "pixel_checks.h"
#include "support/widget_events.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace {
QImage filled(int width, int height, const QColor& colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A value field on a dark grey window, as the pages use it.
class ValueField : public testing::Test {
protected:
    ValueField() {
        button.setGeometry(10, 10, 60, 20);
        button.SetCaption(QStringLiteral("Sine"));
        button.SetFontColor(Colours::Yellow);
        button.OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers m, QPoint p) {
            downs.emplace_back(b, m, p);
        };
        button.OnClick = [this] { ++clicks; };
        button.show();
        QApplication::processEvents();
    }
    QImage shown() { return button.grab().toImage(); }
    QColor light() const { return button.palette().color(QPalette::Light); }
    QColor dark() const { return button.palette().color(QPalette::Dark); }

    Stage stage{QColor(60, 60, 70)};
    TTransparentButton button{&stage.parent};
    std::vector<std::tuple<Qt::MouseButton, Qt::KeyboardModifiers, QPoint>> downs;
    int clicks = 0;
};

} // namespace

TEST_F(ValueField, ShowsOnlyItsCaptionUntilTheMouseIsOver) {
    const QRgb ground = qRgb(60, 60, 70);
    EXPECT_EQ(shown().pixel(0, 0), ground);
    EXPECT_EQ(shown().pixel(59, 19), ground);
    EXPECT_TRUE(inkOf(shown(), qRgb(255, 255, 0)).isValid());

    events::enter(button, QPoint(30, 10)); // raised
    EXPECT_EQ(shown().pixel(0, 0), light().rgb());
    EXPECT_EQ(shown().pixel(59, 19), dark().rgb());

    const QRect idleText = inkOf(shown(), qRgb(255, 255, 0));
    events::press(button, QPoint(30, 10)); // sunken, the caption one pixel right and down
    EXPECT_EQ(shown().pixel(0, 0), dark().rgb());
    EXPECT_EQ(shown().pixel(59, 19), light().rgb());
    EXPECT_EQ(inkOf(shown(), qRgb(255, 255, 0)), idleText.translated(1, 1));
}

TEST_F(ValueField, ReportsEveryPressTwiceWithTheSameArguments) {
    events::press(button, QPoint(5, 6), Qt::RightButton, Qt::ControlModifier);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0], downs[1]);
    EXPECT_EQ(downs[0], std::make_tuple(Qt::RightButton, Qt::KeyboardModifiers(Qt::ControlModifier),
                                        QPoint(5, 6)));
    // Another button while the first is held does nothing.
    events::press(button, QPoint(5, 6), Qt::LeftButton);
    EXPECT_EQ(downs.size(), 2u);
    events::release(button, QPoint(5, 6), Qt::RightButton);
    events::press(button, QPoint(5, 6));
    EXPECT_EQ(downs.size(), 4u);
}

TEST_F(ValueField, ClicksOnlyWhenReleasedInside) {
    events::enter(button, QPoint(30, 10));
    events::press(button, QPoint(30, 10));
    events::drag(button, QPoint(100, 10)); // out: the flat raised look
    EXPECT_EQ(shown().pixel(0, 0), light().rgb());
    events::drag(button, QPoint(30, 10)); // back in: sunken again
    EXPECT_EQ(shown().pixel(0, 0), dark().rgb());
    events::drag(button, QPoint(100, 10));
    events::release(button, QPoint(100, 10));
    EXPECT_EQ(clicks, 0);

    int ups = 0;
    button.OnMouseUp = [&](Qt::MouseButton, Qt::KeyboardModifiers, QPoint) { ++ups; };
    events::press(button, QPoint(30, 10));
    events::release(button, QPoint(30, 10));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(ups, 2);
}

TEST_F(ValueField, StaysDownWhileHeld) {
    button.SetStayDown(true);
    EXPECT_EQ(shown().pixel(0, 0), dark().rgb());
    events::press(button, QPoint(30, 10));
    events::release(button, QPoint(30, 10));
    EXPECT_EQ(shown().pixel(0, 0), dark().rgb());
    button.SetStayDown(false);
    EXPECT_EQ(shown().pixel(0, 0), qRgb(60, 60, 70));
}

TEST_F(ValueField, DisabledFieldIgnoresTheMouseAndEmbossesItsCaption) {
    button.setEnabled(false);
    events::enter(button, QPoint(30, 10));
    events::press(button, QPoint(30, 10));
    EXPECT_TRUE(downs.empty());
    const QImage image = shown();
    EXPECT_FALSE(inkOf(image, qRgb(255, 255, 0)).isValid());
    EXPECT_TRUE(inkOf(image, dark().rgb()).isValid());
    // The highlight copy shows where the shadow copy does not cover it.
    bool lit = false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            lit = lit || qGray(image.pixel(x, y)) > qGray(light().rgb()) - 40;
    EXPECT_TRUE(lit);
}

TEST_F(ValueField, CaptionViewReachesTextColourAndPlace) {
    button.SetCaption(QStringLiteral("Off"));
    EXPECT_EQ(button.Caption(), QStringLiteral("Off"));
    button.SetFontColor(Colours::Red);
    EXPECT_TRUE(inkOf(shown(), qRgb(255, 0, 0)).isValid());
    button.SetLeft(42);
    EXPECT_EQ(button.pos(), QPoint(42, 10));
    button.SetVisible(false);
    EXPECT_FALSE(button.IsVisible());
    button.SetColor(Colours::Green);
    button.SetTransparent(false);
    EXPECT_EQ(shown().pixel(2, 2), qRgb(0, 128, 0));
}

TEST(ButtonGlyphs, CountFollowsSquareStrips) {
    TTransparentButton button;
    button.SetGlyph(filled(50, 20, Qt::red));
    EXPECT_EQ(button.NumGlyphs(), 1);
    button.SetGlyph(filled(60, 20, Qt::red));
    EXPECT_EQ(button.NumGlyphs(), 3);
    button.SetGlyph(filled(120, 20, Qt::red)); // six squares: more than a strip holds
    EXPECT_EQ(button.NumGlyphs(), 1);
    button.SetNumGlyphs(2);
    button.SetGlyph(filled(50, 20, Qt::red)); // not a whole number of squares: kept
    EXPECT_EQ(button.NumGlyphs(), 2);
}

TEST(ButtonGlyphs, GreyAndDisabledCopiesOfTheFirstPicture) {
    QImage strip = filled(40, 20, Qt::white);
    QPainter painter(&strip);
    painter.fillRect(2, 2, 6, 6, QColor(255, 0, 0));
    painter.fillRect(10, 2, 6, 6, QColor(0, 0, 255));
    painter.end();
    strip.setPixel(0, 19, qRgb(0, 255, 0)); // the key of picture 1
    const GlyphList list = AddGlyphs(strip, 2, Qt::white, Qt::darkGray);
    ASSERT_EQ(list.pictures.size(), 2);
    EXPECT_EQ(qAlpha(list.pictures[0].pixel(0, 19)), 0);
    EXPECT_EQ(qAlpha(list.pictures[0].pixel(1, 19)), 255);
    // Weights 11, 59, 30 for red, green, blue.
    EXPECT_EQ(list.grey.pixel(3, 3), qRgb(28, 28, 28));
    EXPECT_EQ(list.grey.pixel(11, 3), qRgb(76, 76, 76));
    // The shape (neither white nor the top-left colour) in shadow, its highlight below right.
    EXPECT_EQ(list.disabled.pixel(2, 2), QColor(Qt::darkGray).rgb());
    EXPECT_EQ(list.disabled.pixel(8, 8), QColor(Qt::white).rgb());
    EXPECT_EQ(qAlpha(list.disabled.pixel(1, 1)), 0);
}

TEST(ButtonGlyphs, ExplorerPictureIsGreyUntilTheMouseIsOver) {
    Stage stage(Qt::black, QSize(90, 50));
    TTransparentButton button(&stage.parent);
    button.setGeometry(10, 10, 60, 24); // away from where the pointer rests
    button.show();
    // Centred at (5, 2) .. (54, 21); its bottom-left pixel is the transparent key.
    QImage plate = filled(50, 20, Qt::blue);
    plate.setPixel(0, 19, qRgb(255, 0, 255));
    button.SetGlyph(plate);
    EXPECT_EQ(button.grab().toImage().pixel(30, 12), qRgb(76, 76, 76));
    events::enter(button, QPoint(30, 12));
    EXPECT_EQ(button.grab().toImage().pixel(30, 12), qRgb(0, 0, 255));
}

TEST(ButtonLayout, PlacesPictureAndCaptionByAlignment) {
    const QSize button(60, 20);
    EXPECT_EQ(pictureRect(button, QSize(50, 20), ttaCenter, 2), QRect(5, 0, 50, 20));
    EXPECT_EQ(pictureRect(button, QSize(10, 10), ttaLeft, 2), QRect(48, 5, 10, 10));
    EXPECT_EQ(pictureRect(button, QSize(10, 10), ttaTop, 2), QRect(25, 8, 10, 10));
    const QRect none = pictureRect(button, QSize(0, 0), ttaBottom, 2);
    EXPECT_EQ(captionRect(button, QSize(20, 10), none, ttaBottom, 2), QRect(20, 4, 20, 10));
    EXPECT_EQ(captionRect(button, QSize(20, 10), none, ttaCenter, 2), QRect(20, 5, 20, 10));
    EXPECT_EQ(captionRect(button, QSize(20, 10), none, ttaRight, 2), QRect(38, 5, 20, 10));
}

TEST(BevelFrame, GivesTheCornersToTheBottomRightColour) {
    QImage image = filled(6, 5, Qt::black);
    QPainter painter(&image);
    const QRect inside = drawBevelFrame(painter, image.rect(), Qt::white, Qt::red, 1);
    painter.end();
    EXPECT_EQ(inside, QRect(1, 1, 4, 3));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(4, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(5, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(0, 4), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(0, 3), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(1, 1), qRgb(0, 0, 0));
}
