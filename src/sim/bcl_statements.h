#pragma once

#include "model/bcl_sysex.h"
#include "sim/controller_element.h"

#include <QStringList>

// The dot statements of the preset language, each applied to what the open section sets up.
namespace BclStatements {

enum class Place { Global, Preset, Element };

struct Context {
    ControllerPreset& preset;
    ControllerGlobal& global;
    ControllerElement* element; // the open $encoder or $button
    bool encoder;
    bool topEncoder; // 1..32, the push encoders, which have more ring modes
};

// Applies ".keyword args..." where it is: unknown token, not allowed here, or what its
// arguments earn. A refused statement changes nothing.
Bcl::Error Apply(const QStringList& words, Place place, Context& context);

} // namespace BclStatements
