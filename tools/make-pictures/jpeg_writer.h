#pragma once

#include <QString>

class QImage;

// Writes the image as a baseline JPEG with three colour components. Returns false, with the
// reason in `error`, when the file cannot be written.
bool writeBaselineJpeg(const QImage& image, const QString& path, int quality, QString* error);
