// The knob's frame: background, face, rings and pointer composed in a 24-bit image.
#include "controls/antialiased_drawing.h"
#include "controls/knob.h"
#include "controls/parent_image.h"
#include "controls/qt_colour.h"

#include <QPainter>
#include <cmath>
#include <numbers>

namespace {
constexpr TColor BevelDark = TColor::FromBgr(0x7F7F7F);
constexpr TColor BevelLight = TColor::FromBgr(0xDFDFDF);
constexpr TColor BevelEdge = TColor::FromBgr(0xEFEFEF);
constexpr TColor FocusDisabled = TColor::FromBgr(0x808080);
constexpr TColor FocusActive = TColor::FromBgr(0x000000);
constexpr TColor FocusIdle = TColor::FromBgr(0x3F3F3F);

// Where a picture of `length` pixels lands on a face of `side`: centred when smaller, its
// centre part when larger.
struct AxisPlacement {
    int target;
    int source;
    int length;
};

AxisPlacement centred(int length, int side) {
    if (length <= side)
        return {(side - length) / 2, 0, length};
    return {0, (length - side) / 2, side};
}
} // namespace

QImage TKnob::ComposeFrame() {
    if (!parentWidget())
        return {};
    adoptSize();
    if (frame_.size() != QSize(side_, side_))
        frame_ = QImage(side_, side_, QImage::Format_RGB888);
    PaintKnobFace(frame_);
    if (drawBorder_)
        PaintKnobBorder(frame_);
    PaintState(frame_);
    PaintIndicator(frame_);
    return frame_;
}

void TKnob::GetParentImage(QImage& frame) {
    background_.PaintInto(*this, frame);
}

void TKnob::SetCircleMask() {
    // The face's circle spans (2, 2) .. (side - 2, side - 2); pixels count by their centres.
    circleMask_.assign(std::size_t(side_) * std::size_t(side_), false);
    const double centre = side_ / 2.0;
    const double r = (side_ - 4) / 2.0;
    for (int y = 0; y < side_; ++y)
        for (int x = 0; x < side_; ++x) {
            const double dx = x + 0.5 - centre;
            const double dy = y + 0.5 - centre;
            circleMask_[std::size_t(y) * std::size_t(side_) + std::size_t(x)] =
                dx * dx + dy * dy <= r * r;
        }
}

void TKnob::PutKnobImage() {
    faceImage_ = QImage(side_, side_, QImage::Format_RGB888);
    faceImage_.fill(QColor(color_));
    knobImagePlaced_ = true;
    if (knobImage_.isNull())
        return;
    const AxisPlacement across = centred(knobImage_.width(), side_);
    const AxisPlacement down = centred(knobImage_.height(), side_);
    QPainter painter(&faceImage_);
    painter.drawImage(QPoint(across.target, down.target), knobImage_,
                      QRect(across.source, down.source, across.length, down.length));
}

void TKnob::PaintKnobFace(QImage& frame) {
    GetParentImage(frame);
    if (plain()) {
        DrawAntialiasedDisk(frame, 1.4f, drawBorder_ ? radius_ - 3.5f : radius_ - 1.5f, radius_,
                            radius_, color_);
        return;
    }
    if (transparent_ && !rotateImage_)
        return; // the face is the background itself
    if (!transparent_ && !knobImagePlaced_)
        PutKnobImage();
    QImage face = transparent_ ? frame.copy() : faceImage_;
    if (rotateImage_) {
        QImage rotated(side_, side_, QImage::Format_RGB888);
        rotated.fill(Qt::white);
        QPainter painter(&rotated);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(side_ / 2.0, side_ / 2.0);
        // Angles count counter-clockwise; the painter turns clockwise.
        painter.rotate(MaxAngle - Angle());
        painter.translate(-side_ / 2.0, -side_ / 2.0);
        painter.drawImage(0, 0, face);
        painter.end();
        face = rotated;
    }
    const int rowBytes = 3 * side_;
    for (int y = 0; y < side_; ++y) {
        const uchar* from = face.constScanLine(y);
        uchar* to = frame.scanLine(y);
        const auto mask = circleMask_.begin() + std::ptrdiff_t(y) * side_;
        for (int x = 0; x < rowBytes; x += 3)
            if (mask[x / 3])
                std::copy_n(from + x, 3, to + x);
    }
}

void TKnob::PaintKnobBorder(QImage& frame) const {
    if (!plain()) {
        DrawAntialiasedCircle(frame, 1.0f, 1.0f, radius_ - 2.5f, radius_, radius_, Colours::White);
        return;
    }
    // The bevel's shading turns with the pointer: dark on the arc behind it, light opposite.
    const int a = Angle();
    const float edge = 1.0f;
    const float width = 1.8f;
    const float r = radius_ - 2.4f;
    if (a >= 150)
        DrawGradientCircle(frame, BevelDark, a - 60, a - 150, BevelLight, edge, width, r, radius_,
                           radius_);
    else if (a >= -30)
        DrawGradientCircle(frame, BevelLight, a + 120, a + 30, BevelDark, edge, width, r, radius_,
                           radius_);
    else
        DrawGradientCircle(frame, BevelDark, a + 300, a + 210, BevelLight, edge, width, r, radius_,
                           radius_);
    DrawAntialiasedCircle(frame, 0.8f, 0.8f, radius_ - 3.8f, radius_, radius_, BevelEdge);
}

void TKnob::PaintState(QImage& frame) const {
    if (!drawBorder_)
        return;
    TColor ring = FocusIdle;
    if (!isEnabled())
        ring = FocusDisabled;
    else if (dragging_ || (showFocusedState_ && hasFocus()))
        ring = FocusActive;
    DrawAntialiasedCircle(frame, 1, 1, radius_ - 1, radius_, radius_, ring);
}

void TKnob::PaintIndicator(QImage& frame) const {
    if (!showIndicator_ && !plain())
        return;
    const float t = float(Angle()) * std::numbers::pi_v<float> / 180.0f;
    const float c = std::cos(t);
    const float s = std::sin(t);
    float inset = !drawBorder_ ? 3.0f : (plain() ? 6.0f : 5.0f);
    if (indicatorType_ == itCircle) {
        const float d = radius_ - inset - 1 - lineLength_ / 2;
        DrawAntialiasedDisk(frame, 1.6f, lineLength_ / 2, radius_ - s * d, radius_ + c * d,
                            lineColor_);
        return;
    }
    inset += lineWidth_ / 2;
    const float inner = radius_ - inset - lineLength_;
    const float outer = radius_ - inset;
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(lineColor_), lineWidth_, Qt::SolidLine, Qt::FlatCap));
    // Pixel (x, y) is measured at its integer coordinates; the painter at its centre.
    painter.translate(0.5, 0.5);
    painter.drawLine(QPointF(radius_ + c * inner, radius_ - s * inner),
                     QPointF(radius_ + c * outer, radius_ - s * outer));
}
