#include "controls/envelope_graph.h"

#include "controls/qt_colour.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

namespace {
// A one-pixel dotted horizontal or vertical line, its end point left out.
void dottedLine(QImage& image, QPoint from, QPoint to, QRgb colour) {
    const QPoint step(to.x() > from.x() ? 1 : (to.x() < from.x() ? -1 : 0),
                      to.y() > from.y() ? 1 : (to.y() < from.y() ? -1 : 0));
    const QRect bounds = image.rect();
    bool on = true;
    for (QPoint p = from; p != to; p += step, on = !on)
        if (on && bounds.contains(p))
            image.setPixel(p, colour);
}

// A one-pixel square frame from (x - s, y - s) to (x + s, y + s), right and bottom excluded.
void markerFrame(QPainter& painter, QPoint centre, int s, const QColor& colour) {
    const int left = centre.x() - s;
    const int top = centre.y() - s;
    const int side = 2 * s;
    painter.fillRect(QRect(left, top, side, 1), colour);
    painter.fillRect(QRect(left, top + side - 1, side, 1), colour);
    painter.fillRect(QRect(left, top, 1, side), colour);
    painter.fillRect(QRect(left + side - 1, top, 1, side), colour);
}
} // namespace

Tmbadsr2::Tmbadsr2(QWidget* parent) : QWidget(parent) {
    values_.fill(49);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    resize(100, 80);
}

template <class T> void Tmbadsr2::setVisual(T& field, const T& value) {
    if (field == value)
        return;
    field = value;
    update();
}

template <class T> void Tmbadsr2::setGradient(T& field, const T& value) {
    if (field == value)
        return;
    gradientReady_ = false;
    setVisual(field, value);
}

void Tmbadsr2::SetValue(int value, int index) {
    if (index < 0 || index >= int(values_.size()))
        return;
    setVisual(values_[std::size_t(index)], value);
}

int Tmbadsr2::GetValue(int index) const {
    if (index < 0 || index >= int(values_.size()))
        return 0;
    return values_[std::size_t(index)];
}

void Tmbadsr2::SetMax(int max) {
    setVisual(max_, max);
}

void Tmbadsr2::SetLineColor(TColor colour) {
    setVisual(lineColor_, colour);
}

void Tmbadsr2::SetMarkerColor(TColor colour) {
    setVisual(markerColor_, colour);
}

void Tmbadsr2::SetMarkerSize(int size) {
    setVisual(markerSize_, size);
}

void Tmbadsr2::SetFillEnabled(bool fill) {
    setVisual(fillEnabled_, fill);
}

void Tmbadsr2::SetShowVLines(bool show) {
    setVisual(showVLines_, show);
}

void Tmbadsr2::SetGradientEnabled(bool enabled) {
    setGradient(gradientEnabled_, enabled);
}

void Tmbadsr2::SetGradientColor(TColor colour) {
    setGradient(gradientColor_, colour);
}

void Tmbadsr2::SetGradientType(tGradientType2 type) {
    setGradient(gradientType_, type);
}

void Tmbadsr2::SetGradientNbOfColors(int count) {
    if (count == 0 || (count >= 2 && count <= 256))
        setGradient(gradientNbOfColors_, count);
}

void Tmbadsr2::SetColor(TColor colour) {
    // The background is the gradient's far end as well.
    setGradient(color_, colour);
}

EnvelopePoints Tmbadsr2::Points() const {
    if (max_ < 1)
        return {};
    return envelopePoints(values_, width(), height(), max_);
}

void Tmbadsr2::Affiche() {
    if (drawBitmap_.size() != size())
        drawBitmap_ = QImage(size(), QImage::Format_RGB32);
    if (gradientEnabled_) {
        if (!gradientReady_) {
            gradientBitmap_ = QImage(size(), QImage::Format_RGB32);
            GradientFill(gradientBitmap_, gradientType_, gradientColor_, color_,
                         gradientNbOfColors_);
            gradientReady_ = true;
        }
        drawBitmap_ = gradientBitmap_.copy();
    } else {
        drawBitmap_.fill(QColor(color_));
    }
    if (max_ < 1)
        return;

    const EnvelopePoints p = Points();
    const QPolygon shape(QList<QPoint>(p.begin(), p.end()));
    const QColor line = QColor(lineColor_);
    const QColor marker = QColor(markerColor_);
    {
        QPainter painter(&drawBitmap_);
        painter.setPen(line);
        if (fillEnabled_) {
            // P0 and P5 share level 4, so the outline closes along it.
            painter.setBrush(line);
            painter.drawPolygon(shape);
        } else {
            painter.drawPolyline(shape);
        }
    }
    if (showVLines_) {
        dottedLine(drawBitmap_, p[3], QPoint(p[3].x(), p[0].y() - 1), marker.rgb());
        dottedLine(drawBitmap_, p[0], p[5], marker.rgb());
    }
    if (markerSize_ > 0) {
        QPainter painter(&drawBitmap_);
        for (const QPoint& point : p)
            markerFrame(painter, point, markerSize_, marker);
    }
}

void Tmbadsr2::paintEvent(QPaintEvent*) {
    Affiche();
    QPainter(this).drawImage(0, 0, drawBitmap_);
}

void Tmbadsr2::resizeEvent(QResizeEvent*) {
    // The cached bands were cut for the old size.
    gradientReady_ = false;
}

bool Tmbadsr2::editable() const {
    return dragging_ && selectedMarker_ >= 0;
}

void Tmbadsr2::dragTo(QPoint point) {
    dragMarker(values_, Points(), selectedMarker_, point, width(), height(), max_);
}

void Tmbadsr2::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    selectedMarker_ = markerAt(Points(), event->position().toPoint(), markerSize_);
    dragging_ = selectedMarker_ >= 0;
}

void Tmbadsr2::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton))
        return;
    if (editable()) {
        dragTo(event->position().toPoint());
        if (alwayDetect_ && OnChange)
            OnChange();
    }
    update();
}

void Tmbadsr2::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && editable()) {
        dragTo(event->position().toPoint());
        update();
        if (OnChange)
            OnChange();
    }
    dragging_ = false;
}
