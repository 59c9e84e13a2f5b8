#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

namespace {
// Buttons key out their picture's bottom-left colour: the corners around a rounded plate.
// The plate is drawn without anti-aliasing, so that no blend of the key survives at its edge.
const QColor Key(255, 0, 255);
} // namespace

QImage drawValueButton() {
    QImage picture(50, 20, QImage::Format_RGB32);
    picture.fill(Key);
    QPainter painter(&picture);
    QLinearGradient plate(0, 0, 0, 20);
    plate.setColorAt(0, QColor(70, 86, 120));
    plate.setColorAt(0.5, QColor(34, 44, 68));
    plate.setColorAt(1, QColor(18, 24, 40));
    painter.setPen(QColor(140, 160, 200));
    painter.setBrush(plate);
    painter.drawRoundedRect(QRect(0, 0, 49, 19), 4, 4);
    painter.setPen(QColor(95, 115, 155));
    painter.drawLine(4, 2, 45, 2);
    return picture;
}

QImage drawKnobFace() {
    constexpr int side = 50;
    constexpr double centre = side / 2.0;
    QImage picture(side, side, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    QRadialGradient body(centre - 7, centre - 9, 30);
    body.setColorAt(0, QColor(150, 156, 166));
    body.setColorAt(0.55, QColor(72, 76, 84));
    body.setColorAt(1, QColor(28, 30, 34));
    painter.setPen(Qt::NoPen);
    painter.setBrush(body);
    painter.drawEllipse(QPointF(centre, centre), 23, 23);

    // Grip ridges round the rim.
    painter.setPen(QPen(QColor(20, 22, 26), 1));
    for (int k = 0; k < 36; ++k) {
        const double a = k * 2 * std::numbers::pi / 36;
        painter.drawLine(QPointF(centre + 19 * std::cos(a), centre + 19 * std::sin(a)),
                         QPointF(centre + 23 * std::cos(a), centre + 23 * std::sin(a)));
    }
    QRadialGradient cap(centre - 4, centre - 5, 18);
    cap.setColorAt(0, QColor(120, 124, 132));
    cap.setColorAt(1, QColor(46, 48, 54));
    painter.setPen(QPen(QColor(18, 18, 20), 1));
    painter.setBrush(cap);
    painter.drawEllipse(QPointF(centre, centre), 17, 17);
    return picture;
}

QImage drawDonateButton() {
    QImage picture(120, 30, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient plate(0, 0, 0, 30);
    plate.setColorAt(0, QColor(255, 222, 120));
    plate.setColorAt(1, QColor(214, 150, 30));
    painter.fillRect(picture.rect(), plate);
    painter.setPen(QColor(120, 80, 10));
    painter.drawRect(0, 0, 119, 29);

    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath heart;
    heart.moveTo(20, 23);
    heart.cubicTo(6, 14, 10, 5, 20, 11);
    heart.cubicTo(30, 5, 34, 14, 20, 23);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 30, 50));
    painter.drawPath(heart);

    painter.setFont(pictureFont(15));
    painter.setPen(QColor(70, 40, 0));
    painter.drawText(QRect(36, 0, 80, 30), Qt::AlignVCenter | Qt::AlignLeft,
                     QStringLiteral("Donate"));
    return picture;
}

QImage drawIcon() {
    constexpr int side = 128;
    constexpr QPointF centre(side / 2.0, side / 2.0 + 4);
    QImage picture(side, side, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient plate(0, 0, 0, side);
    plate.setColorAt(0, QColor(36, 52, 96));
    plate.setColorAt(1, QColor(10, 14, 30));
    painter.setPen(QPen(QColor(90, 110, 154), 3));
    painter.setBrush(plate);
    painter.drawRoundedRect(QRectF(4, 4, side - 8, side - 8), 22, 22);

    // A knob on its scale, its pointer near the top.
    painter.setPen(QPen(QColor(154, 166, 192), 4, Qt::SolidLine, Qt::RoundCap));
    for (int tick = 0; tick <= 10; ++tick) {
        const double angle = (240.0 - tick * 30.0) * std::numbers::pi / 180;
        const QPointF direction(std::cos(angle), -std::sin(angle));
        painter.drawLine(centre + direction * 43, centre + direction * 50);
    }
    QRadialGradient body(centre - QPointF(0, 16), 50);
    body.setColorAt(0, QColor(100, 106, 120));
    body.setColorAt(1, QColor(20, 22, 28));
    painter.setPen(QPen(QColor(6, 7, 10), 2));
    painter.setBrush(body);
    painter.drawEllipse(centre, 36, 36);
    const double pointer = 70 * std::numbers::pi / 180;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(230, 40, 40));
    painter.drawEllipse(centre + QPointF(std::cos(pointer), -std::sin(pointer)) * 24, 8, 8);
    return picture;
}
