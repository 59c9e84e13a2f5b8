#include "controls/control_styles.h"
#include "controls/envelope_geometry.h"
#include "controls/envelope_graph.h"
#include "support/widget_events.h"

#include <climits>
#include <gtest/gtest.h>

namespace {
constexpr EnvelopeValues PanelValues{16, 32, 16, 24, 16, 16, 16, 0};
const EnvelopePoints PanelPoints{{{0, 79}, {17, 0}, {34, 20}, {51, 40}, {126, 40}, {143, 79}}};

// An operator panel's graph with the values above.
class PanelGraph : public testing::Test {
protected:
    PanelGraph() {
        styleOperatorGraph(graph);
        for (int i = 0; i < 8; ++i)
            graph.SetValue(PanelValues[std::size_t(i)], i);
        graph.OnChange = [this] { ++changes; };
    }
    EnvelopeValues values() const {
        EnvelopeValues v;
        for (int i = 0; i < 8; ++i)
            v[std::size_t(i)] = graph.GetValue(i);
        return v;
    }

    Tmbadsr2 graph;
    int changes = 0;
};

// The navy-to-black bands of the panel's gradient: 32 bands over the top 40 rows from navy to
// the mid colour, 32 over the bottom 40 on to black.
int expectedBlue(int row) {
    const int half = row < 40 ? 0 : 1;
    const int offset = row - 40 * half;
    int band = 0;
    while (band + 1 < 32 && MulDiv(band + 1, 40, 32) <= offset)
        ++band;
    return (half == 0 ? 128 : 64) - 2 * band;
}
} // namespace

TEST_F(PanelGraph, PlacesTheSixPoints) {
    EXPECT_EQ(graph.Points(), PanelPoints);
}

TEST_F(PanelGraph, DraggingAMarkerChangesItsRateAndLevel) {
    events::press(graph, QPoint(18, 2)); // within 5 pixels of P1
    events::drag(graph, QPoint(10, 5));
    EXPECT_EQ(graph.GetValue(0), 22);
    EXPECT_EQ(graph.GetValue(1), 30);
    EXPECT_EQ(graph.Points()[1], QPoint(10, 5));
    EXPECT_EQ(changes, 1);
    // Each step applies only the distance from the marker's drawn place.
    events::drag(graph, QPoint(10, 5));
    EXPECT_EQ(graph.GetValue(0), 22);
    events::release(graph, QPoint(10, 5));
    EXPECT_EQ(changes, 3);
    // Without a button held, movement edits nothing.
    events::drag(graph, QPoint(0, 0), Qt::NoButton);
    EXPECT_EQ(graph.GetValue(0), 22);
}

TEST_F(PanelGraph, ReleaseReportsOnceWhenStepsAreNotReported) {
    graph.SetAlwayDetect(false);
    events::press(graph, QPoint(17, 0));
    events::drag(graph, QPoint(12, 3));
    events::release(graph, QPoint(10, 5));
    EXPECT_EQ(changes, 1);
}

TEST_F(PanelGraph, EachMarkerEditsItsOwnValues) {
    EnvelopeValues expected = PanelValues;
    events::press(graph, QPoint(126, 40)); // P4: rate 4 grows to the right, level 3
    events::release(graph, QPoint(130, 30));
    expected[6] = 16 + 4 * 32 / 35;
    expected[5] = 16 + 10 * 32 / 78;
    EXPECT_EQ(values(), expected);

    events::press(graph, QPoint(143, 79)); // P5 shares level 4 with P0
    events::release(graph, QPoint(143, 60));
    expected[7] = 19 * 32 / 78;
    EXPECT_EQ(values(), expected);
    EXPECT_EQ(graph.Points()[0].y(), graph.Points()[5].y());

    events::press(graph, graph.Points()[3]); // P3, dragged far off: clamped
    events::release(graph, QPoint(-500, -500));
    EXPECT_EQ(graph.GetValue(4), 32);
    EXPECT_EQ(graph.GetValue(5), 32);
}

TEST_F(PanelGraph, HitTestReachesFivePixelsAndPrefersLowerMarkers) {
    const EnvelopePoints close{{{10, 10}, {14, 10}, {40, 40}, {60, 60}, {80, 60}, {100, 10}}};
    EXPECT_EQ(markerAt(close, QPoint(12, 10), 3), 0);
    EXPECT_EQ(markerAt(close, QPoint(19, 15), 3), 1);
    EXPECT_EQ(markerAt(close, QPoint(20, 15), 3), -1);
    EXPECT_EQ(markerAt(close, QPoint(48, 48), 8), 2);
    // A press beside every marker selects none and drags nothing.
    events::press(graph, QPoint(90, 70));
    events::release(graph, QPoint(10, 10));
    EXPECT_EQ(values(), PanelValues);
    EXPECT_EQ(changes, 0);
}

TEST_F(PanelGraph, RatesAtMaxPutTheCornersAtTheEdges) {
    for (int rate : {0, 2, 4, 6})
        graph.SetValue(32, rate);
    const EnvelopePoints p = graph.Points();
    EXPECT_EQ(p[1].x(), 0);
    EXPECT_EQ(p[2].x(), 0);
    EXPECT_EQ(p[3].x(), 0);
    EXPECT_EQ(p[4].x(), 143);
}

TEST_F(PanelGraph, KeepsValuesAsGivenAndIgnoresBadIndexes) {
    graph.SetValue(40, 1);
    EXPECT_EQ(graph.GetValue(1), 40);
    EXPECT_EQ(graph.Points()[1].y(), 79 - 79 * 40 / 32);
    graph.SetValue(5, 8);
    graph.SetValue(5, -1);
    EXPECT_EQ(graph.GetValue(8), 0);
    EXPECT_EQ(graph.GetValue(-1), 0);
    EXPECT_FALSE(graph.grab().isNull());
}

TEST_F(PanelGraph, PaintsShapeMarkersGuidesAndBands) {
    const QImage image = graph.grab().toImage();
    const QRgb aqua = qRgb(0, 255, 255);
    const QRgb teal = qRgb(0, 128, 128);
    for (const QPoint& p : PanelPoints) {
        // A frame from (x - 3, y - 3) to (x + 2, y + 2), where it lies inside the picture.
        for (int d = -3; d <= 2; ++d) {
            for (const QPoint& frame :
                 {QPoint(p.x() - 3, p.y() + d), QPoint(p.x() + 2, p.y() + d),
                  QPoint(p.x() + d, p.y() - 3), QPoint(p.x() + d, p.y() + 2)}) {
                if (image.rect().contains(frame)) {
                    EXPECT_EQ(image.pixel(frame), aqua) << frame.x() << "," << frame.y();
                }
            }
        }
    }
    EXPECT_EQ(image.pixel(80, 60), teal);
    // The dotted line down from P3 alternates with the fill.
    EXPECT_EQ(image.pixel(51, 50), aqua);
    EXPECT_EQ(image.pixel(51, 51), teal);
    // Above the level-3 stretch the bands show.
    for (int row : {0, 1, 2, 10, 30})
        EXPECT_EQ(image.pixel(120, row), qRgb(0, 0, expectedBlue(row))) << row;
}

TEST(GradientFill, CutsBandsWithRoundedBoundaries) {
    QImage image(144, 80, QImage::Format_RGB32);
    GradientFill(image, gr2TopToBottom, Colours::Navy, Colours::Black, 64);
    for (int row = 0; row < 80; ++row)
        EXPECT_EQ(image.pixel(70, row), qRgb(0, 0, expectedBlue(row))) << row;
    // Band 1 spans rows 1 and 2, since 2.5 rounds away from zero.
    EXPECT_EQ(qBlue(image.pixel(0, 1)), 126);
    EXPECT_EQ(qBlue(image.pixel(0, 2)), 126);
    EXPECT_EQ(qBlue(image.pixel(0, 3)), 124);
}

TEST(GradientFill, CentreTypesRunOutAndBack) {
    QImage image(100, 10, QImage::Format_RGB32);
    GradientFill(image, gr2HorizBorderToCenter, Colours::Blue, Colours::Black, 0);
    // 50 bands each way, one per column: blue at the borders, black in the middle.
    EXPECT_EQ(image.pixel(0, 5), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(50, 5), qRgb(0, 0, 0));
    EXPECT_GT(qBlue(image.pixel(99, 5)), 240);
    GradientFill(image, gr2HorizCenterToBorder, Colours::Blue, Colours::Black, 0);
    EXPECT_EQ(image.pixel(0, 5), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(50, 5), qRgb(0, 0, 255));
}

TEST(GradientFill, MulDivRoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(3, 1, 4), 1);
    EXPECT_EQ(MulDiv(1, 1, 4), 0);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

TEST(EnvelopeGraph, AcceptsOnlyBandCountsItCanDraw) {
    Tmbadsr2 graph;
    graph.SetGradientNbOfColors(1);
    graph.SetGradientNbOfColors(300);
    EXPECT_EQ(graph.GradientNbOfColors(), 64);
    graph.SetGradientNbOfColors(0);
    EXPECT_EQ(graph.GradientNbOfColors(), 0);
    graph.SetGradientNbOfColors(256);
    EXPECT_EQ(graph.GradientNbOfColors(), 256);
}

TEST(EnvelopeGraph, StartsWithItsDefaults) {
    Tmbadsr2 graph;
    EXPECT_EQ(graph.size(), QSize(100, 80));
    EXPECT_EQ(graph.Max(), 99);
    EXPECT_EQ(graph.GetValue(0), 49);
    EXPECT_EQ(graph.GetValue(7), 49);
    EXPECT_EQ(graph.LineColor(), Colours::Teal);
    EXPECT_EQ(graph.GradientType(), gr2VertCenterToBorder);
}

TEST(EnvelopeGraph, RefillsItsBandsAfterAResize) {
    Tmbadsr2 graph;
    styleOperatorGraph(graph);
    graph.SetMarkerSize(0);
    graph.SetShowVLines(false);
    graph.SetFillEnabled(false);
    graph.grab();
    graph.resize(144, 40);
    const QImage image = graph.grab().toImage();
    EXPECT_EQ(image.pixel(140, 39), qRgb(0, 0, 2));
}

TEST(EnvelopeGraph, WithoutAUsableMaxShowsOnlyItsBackground) {
    Tmbadsr2 graph;
    graph.SetMax(0);
    const QImage image = graph.grab().toImage();
    EXPECT_EQ(image.pixel(50, 40), qRgb(0, 0, 0));
    events::press(graph, QPoint(0, 0));
    events::release(graph, QPoint(50, 50));
    EXPECT_EQ(graph.GetValue(7), 49);
}

TEST(EnvelopeGeometry, FarOutValuesStopAtTheEndsOfIntInsteadOfWrapping) {
    const EnvelopeValues low{INT_MIN, INT_MIN, INT_MIN, INT_MIN,
                             INT_MIN, INT_MIN, INT_MIN, INT_MIN};
    const EnvelopePoints p = envelopePoints(low, 144, 80, 1);
    EXPECT_EQ(p[0].y(), INT_MAX); // a level far below 0 lies far below the graph
    EXPECT_EQ(p[1].x(), INT_MAX); // and a rate far below 0 far to the right
    EXPECT_EQ(p[3].x(), INT_MAX);
    EXPECT_EQ(p[4].x(), INT_MIN);
    const EnvelopeValues high{INT_MAX, INT_MAX, INT_MAX, INT_MAX,
                              INT_MAX, INT_MAX, INT_MAX, INT_MAX};
    const EnvelopePoints q = envelopePoints(high, 144, 80, INT_MAX);
    EXPECT_EQ(q, (EnvelopePoints{QPoint(0, 0), QPoint(0, 0), QPoint(0, 0), QPoint(0, 0),
                                 QPoint(143, 0), QPoint(143, 0)}));
    const EnvelopePoints huge = envelopePoints(high, INT_MAX, INT_MAX, 1);
    EXPECT_EQ(huge[1], QPoint(INT_MIN, INT_MIN));
    EXPECT_EQ(huge[5], QPoint(INT_MAX - 1, INT_MIN));
}

TEST(EnvelopeGeometry, AFarDragClampsItsValues) {
    EnvelopeValues values{16, 32, 16, 24, 16, 16, 16, 0};
    const EnvelopePoints points{QPoint(INT_MIN, INT_MAX),
                                QPoint(INT_MAX, INT_MIN),
                                QPoint(0, 0),
                                QPoint(0, 0),
                                QPoint(INT_MIN, 0),
                                QPoint(0, 0)};
    dragMarker(values, points, 1, QPoint(INT_MIN, INT_MAX), 144, 80, INT_MAX);
    EXPECT_EQ(values[0], INT_MAX); // dragged far left: the fastest rate
    EXPECT_EQ(values[1], 0);       // and far down: the lowest level
    dragMarker(values, points, 4, QPoint(INT_MAX, INT_MIN), 144, 80, INT_MAX);
    EXPECT_EQ(values[6], INT_MAX);
    EXPECT_EQ(values[5], INT_MAX);
    dragMarker(values, points, 0, QPoint(INT_MAX, INT_MIN), 144, 80, 32);
    EXPECT_EQ(values[7], 32);
}
