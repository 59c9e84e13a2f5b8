#pragma once

#include "sim/controller_element.h"

#include <QString>

// An element's definition and what it shows, in one line: "encoder 33: CC 24 on channel 1,
// 0..7 absolute, ring 1dot, value 5".
QString ElementText(const QString& name, const ControllerElement& element, bool encoder);
