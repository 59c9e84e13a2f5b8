#pragma once

#include "views/colour.h"

#include <QColor>

// The engine keeps colours as 0x00BBGGRR values; Qt wants QColor.
inline QColor toQColor(TColor colour) {
    return QColor(Colours::red(colour), Colours::green(colour), Colours::blue(colour));
}

inline TColor fromQColor(const QColor& colour) {
    return Colours::rgb(colour.red(), colour.green(), colour.blue());
}
