#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>

class QWidget;

// Paints what the child's parent draws under the child (its background and its own painting,
// not its other children) into an image of the child's size. Parts of the child outside the
// parent keep the parent's background colour. A child without a parent leaves the image as it is.
void paintParentBackground(const QWidget& child, QImage& image);

// The same, kept between paints: a parent's render is most of what a control over it costs, and
// it changes only when the child moves or resizes, the parent resizes or takes another background
// colour, or the parent says that its own painting changed (BackgroundChanged).
class ParentBackground {
public:
    void PaintInto(const QWidget& child, QImage& image);
    // Called by a parent whose painting under its children changed.
    static void BackgroundChanged(QWidget& parent);

private:
    QImage kept_;
    QRect where_;
    QSize parentSize_;
    QColor colour_;
    qint64 generation_ = -1;
};
