#pragma once

#include "sim/controller_element.h"

#include <cstdint>
#include <vector>

// What a hand on an element makes it do: its new value, and the MIDI messages it sends for it,
// its standard output first and then its custom output, split into messages as a receiver reads
// the bytes.
namespace ElementMoves {

using Message = std::vector<std::uint8_t>;

// One detent of an encoder. An absolute encoder steps its value within its range (down when
// turned clockwise if its minimum is above its maximum) and sends nothing at the end of it; a
// relative one sends the step whatever its value.
std::vector<Message> Turn(ControllerElement& encoder, bool clockwise);

std::vector<Message> Press(ControllerElement& key);
std::vector<Message> Release(ControllerElement& key);

} // namespace ElementMoves
