#pragma once

#include <QString>
#include <array>
#include <cstdint>

// The messages that change one synth parameter.
namespace ParameterChange {

using Message7 = std::array<std::uint8_t, 7>;
using Message8 = std::array<std::uint8_t, 8>;

constexpr std::uint8_t OperatorMaskGroup = 0x12;
constexpr std::uint8_t OperatorMaskPara = 0x5D;
constexpr std::uint8_t MasterTunePara = 0x7B;
constexpr int FirstNamePara = 77;

// F0 43 (10+n) group parameter value F7, with the low byte of each number.
Message7 Change(int device, int group, int para, int value);
// F0 43 (10+n) 10 7B 00 value F7.
Message8 MasterTune(int device, int value);
// F0 43 (10+n) 12 5D mask F7.
Message7 OperatorMask(int device, int mask);
// Ten changes, parameters 77..86, the name padded with blanks (characters above 0x7F as '?').
std::array<Message7, 10> Name(int device, const QString& name);

// The mask bit of operator op (0..3): operator 1 is bit 3, operator 4 bit 0.
constexpr int OperatorBit(int op) {
    return 0x8 >> op;
}

} // namespace ParameterChange
