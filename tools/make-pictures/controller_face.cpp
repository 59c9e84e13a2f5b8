#include "model/controller_layout.h"
#include "pictures.h"

#include <QPainter>

namespace {

using ControllerLayout::Element;
using ControllerLayout::Kind;

constexpr int Width = 1060;
constexpr int Height = 720;
constexpr int Margin = 24;
constexpr int Column = 100; // one of the eight columns
constexpr int RightColumn = Margin + 8 * Column + 30;
constexpr int TitleBottom = 60;
constexpr int TopEncoders = 104; // centre line of the top encoder row
constexpr int Keys = 188;        // top of the first key row
constexpr int KeyRowHeight = 62;
constexpr int LowerEncoders = 348; // centre line of the first lower encoder row
constexpr int LowerRowHeight = 96;
constexpr int EncoderRadius = 20;

const QColor Panel(44, 46, 52);
const QColor Faint(120, 124, 132);
const QColor Label(235, 235, 235);
const QColor RateLabel(255, 200, 90);

QColor keyColour(Kind kind) {
    switch (kind) {
    case Kind::ToggleKey:
        return QColor(52, 110, 168);
    case Kind::StepKey:
        return QColor(60, 140, 84);
    case Kind::CommandKey:
        return QColor(168, 84, 52);
    case Kind::Encoder:
        break;
    }
    return Faint;
}

void caption(QPainter& painter, const QRect& box, const QString& text, const QColor& colour,
             int pixelSize = 12) {
    painter.setPen(colour);
    painter.setFont(pictureFont(pixelSize));
    painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text);
}

void encoder(QPainter& painter, QPoint centre, const Element* element) {
    painter.setPen(QPen(QColor(20, 20, 24), 2));
    painter.setBrush(element ? QColor(92, 96, 106) : QColor(64, 66, 72));
    painter.drawEllipse(centre, EncoderRadius, EncoderRadius);
    painter.setPen(QPen(QColor(230, 120, 40), 3));
    painter.drawLine(centre, centre + QPoint(0, -EncoderRadius + 4));
    if (!element)
        return;
    const QRect below(centre.x() - Column / 2 + 2, centre.y() + EncoderRadius + 4, Column - 4, 34);
    caption(painter, below, QString::fromLatin1(element->name),
            ControllerLayout::isEnvelopeRate(*element) ? RateLabel : Label);
}

void key(QPainter& painter, const QRect& box, const QString& text, const QColor& colour) {
    painter.setPen(QPen(QColor(20, 20, 24), 1));
    painter.setBrush(colour);
    painter.drawRoundedRect(box, 5, 5);
    caption(painter, box.adjusted(3, 3, -3, -3), text, Label, 11);
}

// The element of the layout with this number, encoder or button.
const Element* find(bool wantEncoder, int number) {
    for (const Element& element : ControllerLayout::Elements)
        if (ControllerLayout::isEncoder(element) == wantEncoder && element.number == number)
            return &element;
    return nullptr;
}

int columnX(int column) {
    return Margin + column * Column + Column / 2;
}

void rightColumnKeys(QPainter& painter, int top, const char* heading, const QStringList& names,
                     const std::array<const Element*, 4>& elements) {
    caption(painter, QRect(RightColumn, top, 180, 16), QString::fromLatin1(heading), Faint, 11);
    for (int i = 0; i < 4; ++i) {
        const QRect box(RightColumn + (i % 2) * 92, top + 20 + (i / 2) * 48, 86, 42);
        const Element* element = elements[std::size_t(i)];
        key(painter, box, element ? QString::fromLatin1(element->name) : names[i],
            element ? keyColour(element->kind) : QColor(64, 66, 72));
    }
}

void legend(QPainter& painter) {
    const int top = Height - 84;
    const std::pair<Kind, const char*> kinds[] = {
        {Kind::ToggleKey, "toggle: 1 and 0 in turn"},
        {Kind::StepKey, "step: counts up through the values"},
        {Kind::CommandKey, "command: the editor acts on each press"},
    };
    int x = Margin;
    painter.setFont(pictureFont(12, false));
    for (const auto& [kind, text] : kinds) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(keyColour(kind));
        painter.drawRoundedRect(QRect(x, top, 22, 16), 3, 3);
        painter.setPen(Label);
        painter.drawText(QPoint(x + 30, top + 13), QString::fromLatin1(text));
        x += 330;
    }
    painter.setPen(RateLabel);
    painter.drawText(
        QPoint(Margin, top + 40),
        QStringLiteral("Envelope rates: with \"Env Time Reversed\" on they count down "
                       "when turned clockwise. FX Type also fetches the voice (CC 20)."));
    painter.setPen(Faint);
    painter.drawText(
        QPoint(Margin, top + 60),
        QStringLiteral("Group 2 turns the top row's first encoder into the morph from A "
                       "to B (CC 107, 0..100 %); the function keys keep their "
                       "functions."));
}

} // namespace

QImage drawControllerFace() {
    QImage picture(Width, Height, QImage::Format_RGB32);
    picture.fill(QColor(24, 25, 28));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Panel);
    painter.drawRoundedRect(QRect(6, 6, Width - 12, Height - 12), 14, 14);
    caption(painter, QRect(Margin, 18, 8 * Column, 24),
            QStringLiteral("BCR2000 with the Marrowlink TQ5 preset (channel 1, CC = patch row)"),
            Label, 16);

    for (int column = 0; column < ControllerLayout::RowLength; ++column) {
        const int x = columnX(column);
        const Element* push = find(false, ControllerLayout::FirstTopEncoder + column);
        if (push)
            key(painter, QRect(x - 46, TitleBottom - 14, 92, 32),
                QStringLiteral("push: %1").arg(QLatin1String(push->name)), keyColour(push->kind));
        encoder(painter, QPoint(x, TopEncoders),
                find(true, ControllerLayout::FirstTopEncoder + column));
        for (int row = 0; row < 2; ++row) {
            const Element* element = find(false, ControllerLayout::FirstKey +
                                                     row * ControllerLayout::RowLength + column);
            key(painter, QRect(x - 46, Keys + row * KeyRowHeight, 92, KeyRowHeight - 8),
                QString::fromLatin1(element->name), keyColour(element->kind));
        }
        for (int row = 0; row < 3; ++row)
            encoder(painter, QPoint(x, LowerEncoders + row * LowerRowHeight),
                    find(true, ControllerLayout::FirstLowerEncoder +
                                   row * ControllerLayout::RowLength + column));
    }

    std::array<const Element*, 4> userKeys{};
    for (int i = 0; i < 4; ++i)
        userKeys[std::size_t(i)] = find(false, ControllerLayout::FirstUserKey + i);
    rightColumnKeys(painter, TitleBottom, "encoder groups",
                    {QStringLiteral("Group 1: this top row"), QStringLiteral("Group 2: Morph A-B"),
                     QStringLiteral("Group 3 (unused)"), QStringLiteral("Group 4 (unused)")},
                    {});
    rightColumnKeys(painter, Keys + 10, "function keys (as usual)",
                    {QStringLiteral("Store"), QStringLiteral("Learn"), QStringLiteral("Edit"),
                     QStringLiteral("Exit")},
                    {});
    rightColumnKeys(painter, LowerEncoders + LowerRowHeight - 30, "user keys",
                    {QString(), QString(), QString(), QString()}, userKeys);
    legend(painter);
    return picture;
}
