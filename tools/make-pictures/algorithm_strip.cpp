#include "pictures.h"

#include <QPainter>
#include <array>
#include <vector>

namespace {
constexpr int GlyphWidth = 72;
constexpr int GlyphHeight = 78;
constexpr int BoxWidth = 13;
constexpr int BoxHeight = 10;
constexpr std::array<int, 4> RowTop{3, 17, 31, 45};
constexpr int FootY = 60;
constexpr int OutputY = 63;

const QColor Background(24, 30, 40);
const QColor BoxFill(52, 68, 90);
const QColor BoxEdge(205, 222, 238);
const QColor Modulation(120, 200, 235);
const QColor Carrier(240, 200, 90);
const QColor Feedback(235, 130, 90);
const QColor Number(255, 255, 255);

// Where an operator's box sits: the centre of its column and its row (0 at the top).
struct Box {
    int x;
    int row;
};

struct Diagram {
    std::array<Box, 4> boxes;                     // operators 1..4
    std::vector<std::pair<int, int>> modulations; // upper -> lower, operators 1..4
    std::vector<int> carriers;
};

// The eight algorithms of the synth, algorithm k + 1 at index k.
const std::array<Diagram, 8> Diagrams{{
    {{{{33, 3}, {33, 2}, {33, 1}, {33, 0}}}, {{4, 3}, {3, 2}, {2, 1}}, {1}},
    {{{{33, 3}, {33, 2}, {22, 1}, {44, 1}}}, {{3, 2}, {4, 2}, {2, 1}}, {1}},
    {{{{33, 3}, {22, 2}, {22, 1}, {44, 2}}}, {{3, 2}, {2, 1}, {4, 1}}, {1}},
    {{{{33, 3}, {44, 2}, {22, 2}, {22, 1}}}, {{4, 3}, {3, 1}, {2, 1}}, {1}},
    {{{{20, 3}, {20, 2}, {46, 3}, {46, 2}}}, {{2, 1}, {4, 3}}, {1, 3}},
    {{{{13, 3}, {33, 3}, {53, 3}, {33, 2}}}, {{4, 1}, {4, 2}, {4, 3}}, {1, 2, 3}},
    {{{{13, 3}, {33, 3}, {53, 3}, {53, 2}}}, {{4, 3}}, {1, 2, 3}},
    {{{{9, 3}, {25, 3}, {41, 3}, {57, 3}}}, {}, {1, 2, 3, 4}},
}};

QRect boxRect(const Box& box, int originX) {
    return QRect(originX + box.x - BoxWidth / 2, RowTop[std::size_t(box.row)], BoxWidth, BoxHeight);
}

// Straight down when the boxes share a column; otherwise down, across at half height, down.
void drawModulation(QPainter& painter, const QRect& upper, const QRect& lower) {
    const QPoint from(upper.center().x(), upper.bottom() + 1);
    const QPoint to(lower.center().x(), lower.top() - 1);
    const int middle = (from.y() + to.y()) / 2;
    painter.drawPolyline(QList<QPoint>{from, {from.x(), middle}, {to.x(), middle}, to});
}

void drawCarriers(QPainter& painter, const Diagram& diagram, int originX) {
    int left = originX + GlyphWidth;
    int right = originX;
    for (int op : diagram.carriers) {
        const QRect box = boxRect(diagram.boxes[std::size_t(op - 1)], originX);
        painter.drawLine(box.center().x(), box.bottom() + 1, box.center().x(), FootY);
        left = std::min(left, box.center().x());
        right = std::max(right, box.center().x());
    }
    painter.drawLine(left, FootY, right, FootY);
    const int middle = (left + right) / 2;
    painter.drawLine(middle, FootY, middle, OutputY);
}

// A small loop from the right side of box 4 back into its top.
void drawFeedback(QPainter& painter, const QRect& box) {
    const int outside = box.right() + 3;
    const int above = box.top() - 3;
    painter.drawPolyline(QList<QPoint>{{box.right() + 1, box.center().y()},
                                       {outside, box.center().y()},
                                       {outside, above},
                                       {box.center().x(), above},
                                       {box.center().x(), box.top() - 1}});
}

void drawDiagram(QPainter& painter, const Diagram& diagram, int index) {
    const int originX = index * GlyphWidth;
    painter.fillRect(originX, 0, GlyphWidth, GlyphHeight, Background);

    painter.setPen(QPen(Modulation, 1));
    for (const auto& [upper, lower] : diagram.modulations)
        drawModulation(painter, boxRect(diagram.boxes[std::size_t(upper - 1)], originX),
                       boxRect(diagram.boxes[std::size_t(lower - 1)], originX));
    painter.setPen(QPen(Carrier, 1));
    drawCarriers(painter, diagram, originX);
    painter.setPen(QPen(Feedback, 1));
    drawFeedback(painter, boxRect(diagram.boxes[3], originX));

    painter.setFont(pictureFont(8));
    for (int op = 1; op <= 4; ++op) {
        const QRect box = boxRect(diagram.boxes[std::size_t(op - 1)], originX);
        painter.setPen(BoxEdge);
        painter.setBrush(BoxFill);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setPen(Number);
        painter.drawText(box, Qt::AlignCenter, QString::number(op));
    }

    painter.setFont(pictureFont(11));
    painter.setPen(Number);
    // The control shows the top-left 67 x 77 pixels: keep the number inside them.
    painter.drawText(QRect(originX, 64, 67, 13), Qt::AlignCenter, QString::number(index + 1));
}
} // namespace

QImage drawAlgorithmStrip() {
    QImage strip(GlyphWidth * int(Diagrams.size()), GlyphHeight, QImage::Format_RGB32);
    QPainter painter(&strip);
    for (int k = 0; k < int(Diagrams.size()); ++k)
        drawDiagram(painter, Diagrams[std::size_t(k)], k);
    return strip;
}
