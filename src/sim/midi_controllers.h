#pragma once

// The controller numbers with a meaning of their own in MIDI that the controller's elements send
// and read.
namespace MidiControllers {

constexpr int BankMsb = 0;
constexpr int BankLsb = 32;
constexpr int DataMsb = 6;
constexpr int DataLsb = 38;
constexpr int DataIncrement = 96;
constexpr int DataDecrement = 97;
constexpr int NrpnLsb = 98;
constexpr int NrpnMsb = 99;
// Controllers 0..31 take a 14-bit value's high seven bits, and the controller 32 above its low.
constexpr int LastWide = 31;
constexpr int LowByteOffset = 32;

} // namespace MidiControllers
