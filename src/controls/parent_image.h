#pragma once

class QImage;
class QWidget;

// Paints what the child's parent draws under the child (its background and its own painting,
// not its other children) into an image of the child's size. Parts of the child outside the
// parent keep the parent's background colour. A child without a parent leaves the image as it is.
void paintParentBackground(const QWidget& child, QImage& image);
