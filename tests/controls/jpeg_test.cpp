#include "controls/jpeg_decoder.h"
#include "controls/pictures.h"
#include "warning_capture.h"

#include <QFile>
#include <gtest/gtest.h>
#include <optional>

namespace {
QByteArray resource(const char* name) {
    QFile file(QStringLiteral(":/pictures/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Where the frame header (SOFn) of a JPEG lies, walking its marker segments.
struct FrameHeader {
    int offset; // of the marker
    int kind;   // 0xC0 baseline, 0xC2 progressive, ...
};

std::optional<FrameHeader> frameHeaderOf(const QByteArray& data) {
    const auto byte = [&](int i) { return int(quint8(data[i])); };
    for (int i = 2; i + 4 <= data.size();) {
        if (byte(i) != 0xFF)
            return std::nullopt;
        const int marker = byte(i + 1);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return FrameHeader{i, marker};
        i += 2 + (byte(i + 2) << 8 | byte(i + 3));
    }
    return std::nullopt;
}

// Decodes and expects a null picture with one message that names the source.
void expectRefused(const QByteArray& data, const char* reason) {
    WarningCapture warnings;
    EXPECT_TRUE(decodeJpeg(data, QStringLiteral("test.jpg")).isNull()) << reason;
    ASSERT_EQ(warnings.messages().size(), 1) << reason;
    EXPECT_TRUE(
        warnings.messages()[0].startsWith(QStringLiteral("Cannot read the picture test.jpg: ")))
        << qPrintable(warnings.messages()[0]);
}
} // namespace

TEST(Jpeg, OurPicturesAreBaselineWithThreeComponents) {
    for (const char* name : {"wallpaper.jpg", "splash.jpg"}) {
        const QByteArray data = resource(name);
        const auto header = frameHeaderOf(data);
        ASSERT_TRUE(header) << name;
        EXPECT_EQ(header->kind, 0xC0) << name;
        EXPECT_EQ(int(quint8(data[header->offset + 9])), 3) << name;
    }
    EXPECT_EQ(Pictures::Wallpaper().size(), QSize(791, 687));
    EXPECT_EQ(Pictures::Splash().size(), QSize(779, 563));
}

TEST(Jpeg, DamagedDataGivesAnEmptyPictureAndAMessage) {
    const QByteArray good = resource("wallpaper.jpg");
    ASSERT_FALSE(decodeJpeg(good, QStringLiteral("good")).isNull());
    expectRefused(good.left(good.size() / 2), "truncated");
    expectRefused(good.left(300), "cut in the headers");
    expectRefused(QByteArray("GIF89a not a jpeg at all"), "foreign");
    expectRefused(QByteArray(), "empty");

    const int frame = frameHeaderOf(good)->offset;
    QByteArray noHeight = good;
    noHeight[frame + 5] = 0;
    noHeight[frame + 6] = 0;
    expectRefused(noHeight, "zero height");

    QByteArray huge = good;
    for (int i : {5, 7}) { // height and width 65000
        huge[frame + i] = char(0xFD);
        huge[frame + i + 1] = char(0xE8);
    }
    expectRefused(huge, "too large to allocate");
}

TEST(Jpeg, ASizeBeyondThePixelLimitIsRefusedBeforeDecoding) {
    QByteArray small = resource("wallpaper.jpg");
    const int frame = frameHeaderOf(small)->offset;
    small = small.left(small.indexOf("\xFF\xDA") + 40); // the headers and a little data
    for (int i : {5, 7}) {                              // 8000 x 8000
        small[frame + i] = char(0x1F);
        small[frame + i + 1] = char(0x40);
    }
    WarningCapture warnings;
    EXPECT_TRUE(decodeJpeg(small, QStringLiteral("big.jpg")).isNull());
    ASSERT_EQ(warnings.messages().size(), 1);
    EXPECT_EQ(warnings.messages()[0].toStdString(),
              "Cannot read the picture big.jpg: 8000x8000 pixels is too large");
}

TEST(Jpeg, MissingFileIsReported) {
    WarningCapture warnings;
    EXPECT_TRUE(loadJpeg(QStringLiteral("/nonexistent/wallpaper.jpg")).isNull());
    ASSERT_EQ(warnings.messages().size(), 1);
    EXPECT_TRUE(warnings.messages()[0].contains(QStringLiteral("/nonexistent/wallpaper.jpg")));
}
