#pragma once

#include "sim/controller_element.h"

#include <cstdint>
#include <vector>

// The MIDI messages of an element's standard output.
namespace StandardMessages {

using Message = std::vector<std::uint8_t>;

// What it sends when its value becomes this: a control change (two for 14 bits: the controller
// and controller + 32), an NRPN (number MSB and LSB on CC 99 and 98, data on CC 6, and CC 38 for
// 14 bits), a note (on with the value as velocity, or with velocity 0), a program change (the
// bank's CC 0 and 32 first if it has one), pitch bend, or aftertouch of a key or the channel.
// A key's Off value, and the outputs that are not simulated, send nothing.
std::vector<Message> ForValue(const ControllerElement& element, int value);

// What a relative or inc/dec encoder sends for a move of so many steps, up when positive.
std::vector<Message> ForSteps(const ControllerElement& element, int steps);

} // namespace StandardMessages
