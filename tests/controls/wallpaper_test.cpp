#include "controls/control_styles.h"
#include "controls/pictures.h"
#include "controls/wallpaper.h"

#include <QPaintEngine>
#include <QPainter>
#include <gtest/gtest.h>

namespace {
// A grey picture with a red top-left and a blue bottom-right pixel: the corners of each tile.
QImage markedPicture(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(width - 1, height - 1, qRgb(0, 0, 255));
    return picture;
}

const QRgb Red = qRgb(255, 0, 0);
const QRgb Blue = qRgb(0, 0, 255);

// A paint device that only counts the pictures drawn on it, clipped or not.
class PictureCount : public QPaintDevice {
public:
    int Pictures() const { return engine_.pictures; }
    QPaintEngine* paintEngine() const override { return &engine_; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
        case PdmHeight:
            return 2000;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
        case PdmDevicePixelRatioScaled:
            return 1;
        default:
            return 96;
        }
    }

private:
    struct Engine : QPaintEngine {
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { ++pictures; }
        void drawImage(const QRectF&, const QImage&, const QRectF&,
                       Qt::ImageConversionFlags) override {
            ++pictures;
        }
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        Type type() const override { return User; }
        int pictures = 0;
    };
    mutable Engine engine_;
};
} // namespace

TEST(Wallpaper, PatchPageDrawsFourTilesCutAtTheInnerEdge) {
    TWallpaper wallpaper;
    stylePatchWallpaper(wallpaper, markedPicture(791, 687));
    EXPECT_EQ(wallpaper.InnerRect(), QRect(1, 1, 956, 756));
    const QImage image = wallpaper.grab().toImage();
    for (int x : {1, 792})
        for (int y : {1, 688})
            EXPECT_EQ(image.pixel(x, y), Red) << x << "," << y;
    EXPECT_EQ(image.pixel(791, 687), Blue);
    // The bevel stays outside: raised, light above and dark below.
    EXPECT_EQ(image.pixel(0, 0), wallpaper.palette().color(QPalette::Light).rgb());
    EXPECT_EQ(image.pixel(957, 757), wallpaper.palette().color(QPalette::Dark).rgb());
    EXPECT_EQ(image.pixel(956, 756), QColor(Qt::gray).rgb());
}

TEST(Wallpaper, WithoutAPictureIsAPlainPanel) {
    TWallpaper wallpaper;
    wallpaper.resize(50, 40);
    wallpaper.SetColor(Colours::Navy);
    EXPECT_EQ(wallpaper.grab().toImage().pixel(20, 20), qRgb(0, 0, 128));
    wallpaper.SetWallpaper(QImage(0, 10, QImage::Format_RGB32));
    EXPECT_EQ(wallpaper.grab().toImage().pixel(20, 20), qRgb(0, 0, 128));
}

TEST(Wallpaper, LargerPictureIsDrawnOnceFromTheInnerCorner) {
    TWallpaper wallpaper;
    wallpaper.resize(100, 80);
    wallpaper.SetBorderWidth(2);
    QImage picture(300, 300, QImage::Format_RGB32);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x)
            picture.setPixel(x, y, qRgb(x % 256, y % 256, 7));
    wallpaper.SetWallpaper(picture);
    const QImage image = wallpaper.grab().toImage();
    EXPECT_EQ(wallpaper.InnerRect(), QRect(3, 3, 94, 74));
    EXPECT_EQ(image.pixel(3, 3), qRgb(0, 0, 7));
    EXPECT_EQ(image.pixel(96, 76), qRgb(93, 73, 7));
}

TEST(Wallpaper, ExactMultipleTilesEvenlyAndNewPicturesShow) {
    TWallpaper wallpaper;
    wallpaper.resize(200, 100);
    wallpaper.SetBevelOuter(bvNone);
    wallpaper.SetWallpaper(markedPicture(100, 50));
    QImage image = wallpaper.grab().toImage();
    EXPECT_EQ(image.pixel(100, 50), Red);
    EXPECT_EQ(image.pixel(199, 99), Blue);
    wallpaper.SetWallpaper(markedPicture(200, 100));
    image = wallpaper.grab().toImage();
    EXPECT_EQ(image.pixel(100, 50), QColor(Qt::gray).rgb());
    EXPECT_EQ(image.pixel(199, 99), Blue);
}

TEST(Wallpaper, PaintsOnlyTheTilesThatMeetTheExposedRegion) {
    TWallpaper wallpaper;
    stylePatchWallpaper(wallpaper, markedPicture(100, 100)); // 10 x 8 tiles
    const auto picturesFor = [&](const QRegion& exposed) {
        PictureCount device;
        QPainter painter(&device);
        wallpaper.render(&painter, QPoint(), exposed);
        return device.Pictures();
    };
    EXPECT_EQ(picturesFor(QRect(150, 150, 10, 10)), 1); // inside one tile
    EXPECT_EQ(picturesFor(QRect(195, 195, 10, 10)), 4); // on a corner of four
    EXPECT_EQ(picturesFor(QRegion(QRect(5, 5, 10, 10)) + QRect(905, 705, 10, 10)), 2);
    EXPECT_EQ(picturesFor(QRect(0, 0, 958, 758)), 80);
}
