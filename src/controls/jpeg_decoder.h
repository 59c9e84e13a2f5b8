#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// JPEG pictures decoded with libjpeg. Anything that cannot be decoded in full (not a JPEG,
// truncated or corrupt data, an unsupported colour space, dimensions beyond reason, a missing
// file) gives a null image and one line on stderr naming `source` and the reason; the process
// goes on.
QImage decodeJpeg(const QByteArray& data, const QString& source);
QImage loadJpeg(const QString& path);
