#pragma once

// Special controller CC numbers and rows.
namespace Rows {
constexpr int LastModulationRow = 3; // rows 0..3 follow the modulation group
constexpr int RandomiseButton = 21;  // has no records
constexpr int EffectType = 20;
constexpr int VoiceRequestCC = 20; // also requests the voice from the synth
constexpr int Algorithm = 24;
constexpr int Transpose = 25;
constexpr int Reverb = 27;
constexpr int EffectBalance = 28;
constexpr int EffectTime = 29;
constexpr int FirstPerOperator = 32;
constexpr int LastPerOperator = 47;
constexpr int FirstOperatorAme = 8;  // 8..11
constexpr int FirstOperatorFix = 16; // 16..19
constexpr int FirstOpSwitchCC = 96;  // 96..99
constexpr int FirstOpSelectCC = 100; // 100..103
constexpr int NextModGroupCC = 48;
constexpr int UndoCC = 104; // the controller's keys beside the next-group key
constexpr int RedoCC = 105;
constexpr int CompareCC = 106;    // lit while A is shown
constexpr int MorphCC = 107;      // 0..100 %, from A to B
constexpr int FirstButtonRow = 8; // rows 8..23 are edited by value buttons, the others by knobs
constexpr int LastButtonRow = 23;
constexpr bool HasKnob(int row) {
    return row < FirstButtonRow || row > LastButtonRow;
}
} // namespace Rows
