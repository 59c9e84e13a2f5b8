#include "controls/knob.h"

#include "controls/qt_colour.h"
#include "views/views.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>

namespace {
// One wheel notch, in eighths of a degree.
constexpr int WheelNotch = 120;
} // namespace

TKnob::TKnob(QWidget* parent)
    : QWidget(parent), lineColor_(fromQColor(palette().color(QPalette::Highlight))),
      color_(fromQColor(palette().color(QPalette::Button))),
      valFontColor_(fromQColor(palette().color(QPalette::WindowText))) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    resize(40, 40);
    SetCircleMask();
}

template <class T> void TKnob::setVisual(T& field, const T& value) {
    if (field == value)
        return;
    field = value;
    update();
}

void TKnob::SetLineColor(TColor colour) {
    setVisual(lineColor_, colour);
}

void TKnob::SetColor(TColor colour) {
    if (colour != color_)
        knobImagePlaced_ = false;
    setVisual(color_, colour);
}

void TKnob::SetTransparent(bool transparent) {
    // An opaque knob shows its image at once; a transparent one places it when it turns opaque.
    if (transparent != transparent_)
        knobImagePlaced_ = false;
    setVisual(transparent_, transparent);
}

void TKnob::SetKnobImage(const QImage& image) {
    knobImage_ = image;
    knobImagePlaced_ = false;
    update();
}

void TKnob::SetIndicatorType(TIndicatorType type) {
    setVisual(indicatorType_, type);
}

void TKnob::SetShowIndicator(bool show) {
    setVisual(showIndicator_, show);
}

void TKnob::SetLineLength(float length) {
    if (!std::isfinite(length))
        return;
    adoptSize();
    setVisual(lineLength_, std::max(3.0f, std::min(length, radius_ - 9)));
}

void TKnob::SetLineWidth(float width) {
    if (!std::isfinite(width))
        return;
    setVisual(lineWidth_, std::clamp(width, 1.0f, 8.0f));
}

void TKnob::SetDrawBorder(bool draw) {
    setVisual(drawBorder_, draw);
}

void TKnob::SetRotateImage(bool rotate) {
    setVisual(rotateImage_, rotate);
}

void TKnob::SetShowFocusedState(bool show) {
    setVisual(showFocusedState_, show);
}

void TKnob::SetSpringLoaded(bool springLoaded) {
    if (springLoaded == springLoaded_)
        return;
    springLoaded_ = springLoaded;
    if (springLoaded)
        SetPosition(0);
}

void TKnob::SetValFont(const QFont& font) {
    setVisual(valFont_, font);
}

void TKnob::SetValFontColor(TColor colour) {
    setVisual(valFontColor_, colour);
}

void TKnob::SetValTop(int top) {
    setVisual(valTop_, std::max(0, std::min(top, height() - 20)));
}

void TKnob::SetValCentre(int centre) {
    setVisual(valCentre_, std::max(20, std::min(centre, width() - 20)));
}

void TKnob::SetPositionLabel(CaptionView* label) {
    QObject::disconnect(labelGone_);
    PositionLabel = label;
    if (auto* object = dynamic_cast<QObject*>(label))
        labelGone_ =
            connect(object, &QObject::destroyed, this, [this] { PositionLabel = nullptr; });
    if (PositionLabel)
        ShowPosition(Position());
    else
        ShowPositionStr(Position());
}

void TKnob::setVisible(bool visible) {
    QWidget::setVisible(visible);
    if (PositionLabel)
        PositionLabel->SetVisible(visible);
}

void TKnob::paintEvent(QPaintEvent*) {
    if (!parentWidget())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, ComposeFrame());
    painter.setFont(valFont_);
    painter.setPen(QColor(valFontColor_));
    const QFontMetrics metrics(valFont_);
    const QString& text = ValueText();
    painter.drawText(valCentre_ - metrics.horizontalAdvance(text) / 2, valTop_ + metrics.ascent(),
                     text);
}

void TKnob::resizeEvent(QResizeEvent*) {
    adoptSize();
}

void TKnob::adoptSize() {
    const int w = width();
    const int h = height();
    // Keep the side that changed: growth wins over shrinking.
    const int side = (w > side_ || h > side_) ? std::max(w, h) : std::min(w, h);
    if (side != side_) {
        side_ = side;
        radius_ = float(side) / 2;
        knobImagePlaced_ = false;
        SetCircleMask();
    }
    if (w != side || h != side)
        resize(side, side);
}

void TKnob::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        if (PositionLabel)
            PositionLabel->SetEnabled(isEnabled());
        update();
    }
    QWidget::changeEvent(event);
}

void TKnob::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (OnMouseDown)
        OnMouseDown(event->button(), event->modifiers(), point);
    if (event->button() != Qt::LeftButton || !QRegion(rect(), QRegion::Ellipse).contains(point))
        return;
    // A press normally follows a movement to the same point; take its angle in case none came
    // (a touch, a synthesised press).
    pointerAngle_ = PointerAngle(point.x(), point.y(), width(), height());
    setFocus(Qt::MouseFocusReason);
    dragging_ = true;
    UserSetPosition(CalcPosition(pointerAngle_));
}

void TKnob::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (OnMouseMove)
        OnMouseMove(event->modifiers(), point);
    const int angle = PointerAngle(point.x(), point.y(), width(), height());
    // While dragging, the pointer cannot jump across the gap from one end to the other.
    if (dragging_ && ((Position() == Min() && angle < 90) || (Position() == Max() && angle > 90)))
        return;
    pointerAngle_ = angle;
    const int value = CalcPosition(angle);
    if (dragging_ && value != Position())
        SetPosition(value);
    // Without a press this previews the value a press would set.
    ShowPosition(value);
    update();
}

void TKnob::mouseReleaseEvent(QMouseEvent* event) {
    if (dragging_) {
        if (springLoaded_) {
            SetPosition(0);
        } else {
            const int value = CalcPosition(pointerAngle_);
            if (value != Position())
                SetPosition(value);
        }
        dragging_ = false;
        update();
    }
    if (OnMouseUp)
        OnMouseUp(event->button(), event->modifiers(), event->position().toPoint());
}

void TKnob::enterEvent(QEnterEvent*) {
    drawBorder_ = true;
    if (OnMouseEnter)
        OnMouseEnter();
    setFocus(Qt::MouseFocusReason);
    update();
}

void TKnob::leaveEvent(QEvent*) {
    ShowPosition(Position());
    drawBorder_ = false;
    if (OnMouseLeave)
        OnMouseLeave();
    if (parentWidget())
        parentWidget()->setFocus(Qt::MouseFocusReason);
    update();
}

void TKnob::focusInEvent(QFocusEvent*) {
    if (showFocusedState_)
        drawBorder_ = true;
    if (OnEnter)
        OnEnter();
    update();
}

void TKnob::focusOutEvent(QFocusEvent*) {
    dragging_ = false;
    if (springLoaded_)
        SetPosition(0);
    if (showFocusedState_)
        drawBorder_ = false;
    if (OnExit)
        OnExit();
    update();
}

void TKnob::keyPressEvent(QKeyEvent* event) {
    if (OnKeyDown)
        OnKeyDown(event->key(), event->modifiers());
    switch (event->key()) {
    case Qt::Key_PageUp:
        UserStepPosition(PageSize);
        break;
    case Qt::Key_PageDown:
        UserStepPosition(-PageSize);
        break;
    case Qt::Key_End:
        UserSetPosition(Max());
        break;
    case Qt::Key_Home:
        UserSetPosition(Min());
        break;
    case Qt::Key_Left:
    case Qt::Key_Down:
        UserStepPosition(-1);
        break;
    case Qt::Key_Up:
    case Qt::Key_Right:
        UserStepPosition(1);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TKnob::wheelEvent(QWheelEvent* event) {
    // Fine-grained wheels send fractions of a notch; the pages count whole notches.
    wheelRemainder_ += event->angleDelta().y();
    for (; wheelRemainder_ >= WheelNotch; wheelRemainder_ -= WheelNotch)
        if (OnMouseWheelUp)
            OnMouseWheelUp(event->modifiers());
    for (; wheelRemainder_ <= -WheelNotch; wheelRemainder_ += WheelNotch)
        if (OnMouseWheelDown)
            OnMouseWheelDown(event->modifiers());
    // Left unhandled, so that a scrolling parent still sees it.
    event->ignore();
}
