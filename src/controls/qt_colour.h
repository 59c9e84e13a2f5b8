#pragma once

#include "views/colour.h"

#include <QColor>

// The palette's colours as the controls keep them (QColor(TColor) converts the other way).
inline TColor fromQColor(const QColor& colour) {
    return TColor(colour.red(), colour.green(), colour.blue());
}
