#include "controls/control_styles.h"
#include "controls/picture_switch.h"
#include "controls/pictures.h"
#include "support/widget_events.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {
// A strip whose every column has its own colour, so that a shown pixel names its source.
QImage numberedStrip(int width, int height) {
    QImage strip(width, height, QImage::Format_RGB32);
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            strip.setPixel(x, y, qRgb(x % 256, x / 256, y));
    return strip;
}
} // namespace

TEST(PictureSwitch, StatesOutsideTheStripShowTheFirstGlyph) {
    Tmbgrafsw picture;
    picture.SetBitmap(numberedStrip(576, 78));
    picture.SetGlyph(8);
    picture.SetState(3);
    EXPECT_EQ(picture.State(), 3);
    picture.SetState(8);
    EXPECT_EQ(picture.State(), 0);
    picture.SetState(5);
    picture.SetState(-1);
    EXPECT_EQ(picture.State(), 0);
}

TEST(PictureSwitch, IgnoresGlyphCountsOutsideOneTo255) {
    Tmbgrafsw picture;
    picture.SetGlyph(8);
    picture.SetGlyph(0);
    picture.SetGlyph(256);
    EXPECT_EQ(picture.Glyph(), 8);
    picture.SetGlyph(255);
    EXPECT_EQ(picture.Glyph(), 255);
}

TEST(PictureSwitch, ShowsTheChosenGlyphClippedToTheControl) {
    Tmbgrafsw picture;
    picture.resize(67, 77);
    picture.SetBitmap(numberedStrip(576, 78));
    picture.SetGlyph(8);
    picture.SetState(3);
    EXPECT_EQ(picture.GetBitmapWidth(), 72);
    const QImage shown = picture.grab().toImage();
    EXPECT_EQ(shown.size(), QSize(67, 77));
    EXPECT_EQ(shown.pixel(0, 0), qRgb(216, 0, 0));
    EXPECT_EQ(shown.pixel(66, 76), qRgb(282 % 256, 1, 76));
}

TEST(PictureSwitch, WaveControlShowsItsBackgroundBesideTheGlyph) {
    Stage stage(Qt::darkBlue);
    Tmbgrafsw wave(&stage.parent);
    styleWavePicture(wave, numberedStrip(640, 87));
    EXPECT_EQ(wave.State(), 5);
    const QImage shown = wave.grab().toImage();
    EXPECT_EQ(shown.pixel(0, 79), qRgb(400 % 256, 1, 79));
    EXPECT_EQ(shown.pixel(80, 10), QColor(Qt::darkBlue).rgb());
}

TEST(PictureSwitch, TransparentGlyphShowsTheParentThroughItsKeyColour) {
    Stage stage(Qt::green, QSize(40, 40));
    Tmbgrafsw picture(&stage.parent);
    picture.setGeometry(5, 5, 20, 20);
    QImage glyph(20, 20, QImage::Format_RGB32);
    glyph.fill(Qt::magenta); // the bottom-left colour is the key
    QPainter(&glyph).fillRect(5, 5, 10, 10, Qt::red);
    picture.SetBitmap(glyph);
    EXPECT_EQ(picture.grab().toImage().pixel(1, 1), QColor(Qt::magenta).rgb());
    picture.SetTransparent(true);
    const QImage shown = picture.grab().toImage();
    EXPECT_EQ(shown.pixel(1, 1), QColor(Qt::green).rgb());
    EXPECT_EQ(shown.pixel(8, 8), QColor(Qt::red).rgb());
}

TEST(PictureSwitch, EmptyBitmapLeavesTheBackground) {
    Stage stage(Qt::darkRed, QSize(40, 40));
    Tmbgrafsw picture(&stage.parent);
    EXPECT_EQ(picture.grab().toImage().pixel(10, 10), QColor(Qt::darkRed).rgb());
}

TEST(Pictures, StripsHoldEightGlyphsOfTheirSizes) {
    EXPECT_EQ(Pictures::AlgorithmStrip().size(), QSize(576, 78));
    EXPECT_EQ(Pictures::WaveStrip().size(), QSize(640, 87));
    EXPECT_EQ(Pictures::ValueButton().size(), QSize(50, 20));
    EXPECT_FALSE(Pictures::MultipartKnob().isNull());
    EXPECT_FALSE(Pictures::DonateButton().isNull());
    // Every glyph differs from the others.
    const QImage strip = Pictures::AlgorithmStrip();
    for (int a = 0; a < 8; ++a)
        for (int b = a + 1; b < 8; ++b)
            EXPECT_NE(strip.copy(a * 72, 0, 72, 78), strip.copy(b * 72, 0, 72, 78)) << a << b;
}
