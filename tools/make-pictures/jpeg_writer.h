#pragma once

#include <QByteArray>

class QImage;

// The image as a baseline JPEG with three colour components.
QByteArray BaselineJpeg(const QImage& image, int quality);
