#include "ui/panel_style.h"

#include "controls/caption_label.h"

#include <QPainter>
#include <QRadialGradient>
#include <QtMath>

namespace PanelStyle {

QFont Font(int pixelSize, bool bold) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Sans Serif")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

CaptionLabel* Label(QWidget* parent, const QString& name, const QString& text, const QRect& rect,
                    const QColor& colour, int pixelSize, bool bold) {
    auto* label = new CaptionLabel(parent);
    label->setObjectName(name);
    label->setText(text);
    label->setGeometry(rect);
    label->setFont(Font(pixelSize, bold));
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);
    return label;
}

void PaintKnobBody(QPainter& painter, const QRect& knob) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre = QRectF(knob).center();
    const double radius = knob.width() / 2.0;

    // The scale: eleven ticks over the knob's 300 degrees, from 240 (minimum) to -60.
    painter.setPen(QPen(QColor(0x9A, 0xA6, 0xC0), 1.4, Qt::SolidLine, Qt::RoundCap));
    for (int tick = 0; tick <= 10; ++tick) {
        const double angle = qDegreesToRadians(240.0 - tick * 30.0);
        const QPointF direction(std::cos(angle), -std::sin(angle));
        const double inner = tick % 5 == 0 ? radius - 5.5 : radius - 3.5;
        painter.drawLine(centre + direction * inner, centre + direction * (radius - 0.8));
    }

    // The body, lit from above.
    const double body = radius - 7;
    QRadialGradient shade(centre - QPointF(0, body * 0.45), body * 1.5);
    shade.setColorAt(0, QColor(0x5C, 0x63, 0x72));
    shade.setColorAt(0.55, QColor(0x2A, 0x2E, 0x38));
    shade.setColorAt(1, QColor(0x0E, 0x10, 0x15));
    painter.setPen(QPen(QColor(0x07, 0x08, 0x0B), 1.2));
    painter.setBrush(shade);
    painter.drawEllipse(centre, body, body);

    // The face the value text sits on.
    const double face = body - 10;
    painter.setPen(QPen(QColor(0x70, 0x78, 0x88, 160), 1));
    painter.setBrush(QColor(0x16, 0x19, 0x20));
    painter.drawEllipse(centre, face, face);
    painter.restore();
}

void PaintSection(QPainter& painter, const QRect& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Frame, 1));
    painter.setBrush(FrameFill);
    painter.drawRoundedRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    painter.restore();
}

} // namespace PanelStyle
