// Checks the pictures controls-gallery wrote (in $GALLERY_DIR) against the geometry the controls
// must show, measured on the pixels alone.
#include "pixel_checks.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

namespace {
QImage galleryPicture(const char* name) {
    const QDir folder(qEnvironmentVariable("GALLERY_DIR"));
    return QImage(folder.filePath(QLatin1String(name)));
}

const QRgb Aqua = qRgb(0, 255, 255);
const QRgb Teal = qRgb(0, 128, 128);
} // namespace

TEST(GalleryPixels, PatchKnobDotSitsOnTheArc) {
    const std::pair<const char*, double> cases[] = {
        {"knob-patch-pos0.png", 240}, {"knob-patch-pos50.png", 88}, {"knob-patch-pos99.png", -60}};
    for (const auto& [name, angle] : cases) {
        const QImage image = galleryPicture(name);
        ASSERT_EQ(image.size(), QSize(75, 75)) << name;
        // Radius 37.5, less the inset of 3 without rings, 1, and half the 12-pixel dot.
        const QPointF expected = dotCentre(75, angle, 37.5 - 3 - 1 - 6);
        EXPECT_LT(distanceBetween(redCentre(image), expected), 0.15) << name;
        EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0)) << name;
        EXPECT_EQ(image.pixel(74, 0), qRgb(0, 0, 0)) << name;
        // Bold yellow value text from row 16, centred near column 42 (with its trailing blank).
        const QRect text = inkOf(image, qRgb(255, 255, 0));
        ASSERT_TRUE(text.isValid()) << name;
        EXPECT_GE(text.top(), 16) << name;
        EXPECT_LE(text.bottom(), 16 + 14) << name;
        EXPECT_NEAR(text.center().x(), 42, 4) << name;
    }
}

TEST(GalleryPixels, OperatorGraphShowsItsPointsMarkersAndBands) {
    const QImage image = galleryPicture("adsr-panel.png");
    ASSERT_EQ(image.size(), QSize(144, 80));
    const QPoint points[] = {{0, 79}, {17, 0}, {34, 20}, {51, 40}, {126, 40}, {143, 79}};
    for (const QPoint& p : points) {
        // Each marker: a one-pixel frame from (x - 3, y - 3) to (x + 2, y + 2).
        for (int d = -3; d <= 2; ++d) {
            for (const QPoint& q : {QPoint(p.x() - 3, p.y() + d), QPoint(p.x() + 2, p.y() + d),
                                    QPoint(p.x() + d, p.y() - 3), QPoint(p.x() + d, p.y() + 2)}) {
                if (image.rect().contains(q)) {
                    EXPECT_EQ(image.pixel(q), Aqua) << q.x() << "," << q.y();
                }
            }
        }
    }
    // Filled below the outline, dotted guide down from P3, bands of navy above.
    EXPECT_EQ(image.pixel(80, 60), Teal);
    EXPECT_EQ(image.pixel(30, 70), Teal);
    EXPECT_EQ(image.pixel(51, 60), Aqua);
    EXPECT_EQ(image.pixel(51, 61), Teal);
    EXPECT_EQ(image.pixel(120, 0), qRgb(0, 0, 128));
    EXPECT_EQ(image.pixel(120, 1), qRgb(0, 0, 126));
    EXPECT_EQ(image.pixel(120, 3), qRgb(0, 0, 124));
    EXPECT_EQ(image.pixel(140, 38), qRgb(0, 0, 128 - 2 * 30));
}

TEST(GalleryPixels, StripsHaveTheirSizes) {
    EXPECT_EQ(galleryPicture("algorithm-strip.png").size(), QSize(576, 78));
    EXPECT_EQ(galleryPicture("wave-strip.png").size(), QSize(640, 87));
    EXPECT_EQ(galleryPicture("picture-algorithm-1.png").size(), QSize(67, 77));
    EXPECT_EQ(galleryPicture("picture-wave-1.png").size(), QSize(87, 80));
}

TEST(GalleryPixels, WallpaperRepeatsFromTheFourTileCorners) {
    const QImage image = galleryPicture("wallpaper.png");
    ASSERT_EQ(image.size(), QSize(958, 758));
    // Tiles start at x 1 and 792, y 1 and 688, and are cut at the inner edge (956 x 756).
    int compared = 0;
    for (int y = 0; y + 688 < 757; y += 7)
        for (int x = 0; x + 792 < 957; x += 11) {
            const QRgb first = image.pixel(1 + x, 1 + y);
            EXPECT_EQ(image.pixel(792 + x, 1 + y), first);
            EXPECT_EQ(image.pixel(1 + x, 688 + y), first);
            EXPECT_EQ(image.pixel(792 + x, 688 + y), first);
            ++compared;
        }
    EXPECT_GT(compared, 100);
    // The tile is a picture, not one colour.
    EXPECT_NE(image.pixel(1, 1), image.pixel(400, 300));
}
