#pragma once

#include <cstdint>

// The counts of the synth and the editor, and the MIDI status bytes they use. Everything that
// loops over operators, groups, parts or rows, or tests a status byte, names it here.

constexpr int OperatorCount = 4;
constexpr int ModGroupCount = 4;    // aftertouch, mod wheel, breath, foot
constexpr int VariantSlotCount = 4; // a patch row holds one record per operator or per group
constexpr int PartCount = 8;        // parts of a multi
constexpr int MaxNotesTotal = 8;    // notes the synth shares among the parts
constexpr int EditRowCount = 48;    // patch rows 0..47
constexpr int PatchRowCount = 56;   // patch row slots 0..55 (48..55 stay empty)
constexpr int MultiRowCount = 95;   // multi rows 0..94
constexpr int MidiChannelCount = 16;

// The controller talks on MIDI channel 1 and the synth answers to device number 0; neither
// changes while the program runs.
constexpr int ControllerChannel = 0;
constexpr int SynthDeviceNumber = 0;

namespace MidiStatus {
constexpr std::uint8_t KindMask = 0xF0; // a channel message's kind, without its channel
constexpr std::uint8_t ControlChange = 0xB0;
constexpr std::uint8_t ProgramChange = 0xC0;
constexpr std::uint8_t SysexStart = 0xF0;
constexpr std::uint8_t SysexEnd = 0xF7;
constexpr std::uint8_t TimingClock = 0xF8;
constexpr std::uint8_t ActiveSensing = 0xFE;
} // namespace MidiStatus
