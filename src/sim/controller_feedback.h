#pragma once

#include "sim/controller_element.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// What arrives at the controller, read as values for the elements whose standard output sends
// the same kind of message on the same channel and number: the unit shows them on its LEDs.
namespace ControllerFeedback {

struct Value {
    ControllerElement::Output output;
    int channel; // 1..16
    int number;  // the controller, NRPN, note or aftertouch key; 0 where there is none
    bool wide;   // a 14-bit value
    int value;
};

// Puts the parts of NRPNs (CC 99, 98, 6 and 38) and of 14-bit controllers (n and n + 32) together
// as they come, channel by channel; a controller is also a value of its own.
class Reader {
public:
    std::vector<Value> Read(std::span<const std::uint8_t> message);

private:
    struct Channel {
        int nrpn = 0;
        int dataMsb = 0;
        std::array<int, 32> controllerMsb{}; // of controllers 0..31
    };
    void controlChange(int channel, int controller, int value, std::vector<Value>& values);

    std::array<Channel, 16> channels_{};
};

// Whether the element shows the value: relative encoders show none, their messages being steps.
bool Shows(const ControllerElement& element, const Value& value);

} // namespace ControllerFeedback
