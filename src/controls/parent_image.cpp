#include "controls/parent_image.h"

#include <QImage>
#include <QWidget>

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
