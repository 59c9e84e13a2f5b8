#include "controls/antialiased_drawing.h"
#include "pixel_checks.h"
#include "warning_capture.h"

#include <QImage>
#include <gtest/gtest.h>
#include <limits>

namespace {
QImage blank(int side, QColor colour = Qt::black) {
    QImage image(side, side, QImage::Format_RGB888);
    image.fill(colour);
    return image;
}

} // namespace

TEST(AntialiasedDisk, IsSolidInsideAndHalfCoveredOnItsRadius) {
    QImage image = blank(40);
    DrawAntialiasedDisk(image, 1.6f, 6, 20, 20, Colours::Red);
    EXPECT_EQ(image.pixel(20, 20), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(23, 20), qRgb(255, 0, 0));
    // Exactly on the radius the edge band is half covered: 127.5 rounds to 128.
    EXPECT_EQ(image.pixel(26, 20), qRgb(128, 0, 0));
    EXPECT_EQ(image.pixel(20, 14), qRgb(128, 0, 0));
    EXPECT_EQ(image.pixel(27, 20), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(25, 25), qRgb(0, 0, 0));
}

TEST(AntialiasedDisk, CentresOnFractionalCoordinates) {
    QImage image = blank(40);
    DrawAntialiasedDisk(image, 1.6f, 6, 20.25f, 15.75f, Colours::Red);
    EXPECT_LT(distanceBetween(redCentre(image), QPointF(15.75, 20.25)), 0.05);
}

TEST(AntialiasedDisk, BlendsWithWhatLiesUnder) {
    QImage image = blank(20, QColor(0, 0, 200));
    DrawAntialiasedDisk(image, 2, 5, 10, 10, Colours::Red);
    // Half covered: half of each colour.
    EXPECT_EQ(image.pixel(15, 10), qRgb(128, 0, 100));
}

TEST(AntialiasedDisk, IsClippedToTheImage) {
    QImage image = blank(10);
    DrawAntialiasedDisk(image, 1, 6, -2, -2, Colours::White);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(9, 9), qRgb(0, 0, 0));
    DrawAntialiasedDisk(image, 1, 6, 200, 200, Colours::Red);
    EXPECT_EQ(image.pixel(9, 9), qRgb(0, 0, 0));
}

TEST(AntialiasedCircle, DrawsARingAndLeavesItsMiddle) {
    QImage image = blank(40);
    DrawAntialiasedCircle(image, 1, 2, 10, 20, 20, Colours::White);
    EXPECT_EQ(image.pixel(30, 20), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(20, 10), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(20, 20), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(25, 20), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(33, 20), qRgb(0, 0, 0));
    // Both edges fade: exactly on the outer and the inner edge, half covered.
    EXPECT_EQ(image.pixel(31, 20), qRgb(128, 128, 128));
    EXPECT_EQ(image.pixel(29, 20), qRgb(128, 128, 128));
}

// A ring at radius 10 round (20, 20); the test pixels lie 9.9 from the centre, in its solid part,
// in the four diagonal directions.
class GradientCircle : public testing::Test {
protected:
    QImage draw(int angle1, int angle2) {
        QImage image = blank(40, Qt::gray);
        DrawGradientCircle(image, Colours::Red, angle1, angle2, Colours::Blue, 1, 3, 10, 20, 20);
        return image;
    }
    static QRgb at(const QImage& image, int degrees) {
        switch (degrees) {
        case 45:
            return image.pixel(27, 13);
        case 135:
            return image.pixel(13, 13);
        case 225:
            return image.pixel(13, 27);
        default:
            return image.pixel(27, 27);
        }
    }
};

TEST_F(GradientCircle, ShowsTheFirstColourOnItsArcAndTheSecondOpposite) {
    const QImage image = draw(180, 90);
    EXPECT_EQ(at(image, 135), qRgb(255, 0, 0));
    EXPECT_EQ(at(image, 315), qRgb(0, 0, 255));
    // Half way along both ramps: half of each.
    EXPECT_EQ(at(image, 225), qRgb(127, 0, 128));
    EXPECT_EQ(at(image, 45), qRgb(127, 0, 128));
}

TEST_F(GradientCircle, WrapsArcsPastZeroDegrees) {
    // The opposite arc of 150..240 is 330..60.
    const QImage image = draw(240, 150);
    EXPECT_EQ(at(image, 225), qRgb(255, 0, 0));
    EXPECT_EQ(at(image, 45), qRgb(0, 0, 255));
}

TEST_F(GradientCircle, DrawsNothingForArcsItDoesNotTake) {
    const QImage untouched = blank(40, Qt::gray);
    EXPECT_EQ(draw(200, 250), untouched); // the lower angle lies beyond 179
    EXPECT_EQ(draw(10, 200), untouched);  // the arc spans 180 degrees or more
}

TEST_F(GradientCircle, RampsOnceRoundTheCircleForEqualAngles) {
    const QImage image = draw(0, 0);
    // Weight k / 359 at k degrees: a quarter round is about a quarter blue.
    EXPECT_NEAR(qBlue(at(image, 45)), 45 * 255 / 359, 1);
    EXPECT_NEAR(qBlue(at(image, 315)), 315 * 255 / 359, 1);
}

TEST(KnobDrawingError, IsReportedOnceAndDrawingGoesOn) {
    WarningCapture warnings;
    QImage image = blank(20);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    DrawGradientCircle(image, Colours::Red, 10, 100, Colours::Blue, 1, 1, nan, 10, 10);
    DrawAntialiasedDisk(image, 1, 5, nan, 10, Colours::Red);
    EXPECT_EQ(warnings.messages(), QStringList{QString::fromLatin1(KnobDrawingErrorText)});
    DrawAntialiasedDisk(image, 1, 5, 10, 10, Colours::Red);
    EXPECT_EQ(image.pixel(10, 10), qRgb(255, 0, 0));
}
