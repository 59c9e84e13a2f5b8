#include "controls/parent_image.h"

#include <QVariant>
#include <QWidget>

namespace {
const char* const Generation = "backgroundGeneration";
} // namespace

void paintParentBackground(const QWidget& child, QImage& image) {
    QWidget* parent = child.parentWidget();
    if (!parent)
        return;
    image.fill(parent->palette().color(parent->backgroundRole()));
    const QRect under = child.geometry() & parent->rect();
    if (under.isEmpty())
        return;
    // Without DrawChildren the parent does not paint this child again (no recursion).
    parent->render(&image, under.topLeft() - child.pos(), QRegion(under),
                   QWidget::DrawWindowBackground);
}

void ParentBackground::PaintInto(const QWidget& child, QImage& image) {
    const QWidget* parent = child.parentWidget();
    if (!parent)
        return;
    const qint64 generation = parent->property(Generation).toLongLong();
    const QColor colour = parent->palette().color(parent->backgroundRole());
    if (child.geometry() == where_ && parent->size() == parentSize_ && colour == colour_ &&
        generation == generation_ && kept_.size() == image.size() &&
        kept_.format() == image.format()) {
        image = kept_;
        return;
    }
    paintParentBackground(child, image);
    kept_ = image.copy();
    where_ = child.geometry();
    parentSize_ = parent->size();
    colour_ = colour;
    generation_ = generation;
}

void ParentBackground::BackgroundChanged(QWidget& parent) {
    parent.setProperty(Generation, parent.property(Generation).toLongLong() + 1);
}
