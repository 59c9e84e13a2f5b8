#pragma once

#include "model/domain.h"
#include "model/parameter_map.h"
#include "model/patch_map_tables.h"

#include <algorithm>
#include <array>

// Which encoder and key of the BCR2000 sends which controller number, laid out like the patch
// page: rows of eight in the page's order. Built from the parameter tables, so an element's range
// is always the range its row accepts.
namespace ControllerLayout {

enum class Kind {
    Encoder,    // absolute, 0..max
    ToggleKey,  // one message per press, 1 and 0 in turn (a two-valued row, an operator switch)
    StepKey,    // one message per press, counting up through 0..max and round to 0
    CommandKey, // one message per press, 1 and 0 in turn; the editor acts on every message
};

struct Element {
    Kind kind;
    int number; // encoder 1..56 or button 1..64, as the controller numbers them
    int cc;     // the patch row it edits, or the command it gives
    int max;    // it sends 0..max
    const char* name;
};

constexpr bool isEncoder(const Element& element) {
    return element.kind == Kind::Encoder;
}

// The rate encoders whose turning direction the envelope-time option swaps.
inline constexpr int EnvelopeRateRows[] = {40, 41, 43, 44};

constexpr bool isEnvelopeRate(const Element& element) {
    return isEncoder(element) &&
           std::ranges::find(EnvelopeRateRows, element.cc) != std::end(EnvelopeRateRows);
}

// Encoders 1..8 are the top row (group 1), 33..56 the three lower rows; buttons 33..48 the two
// rows of keys under the top row, 1..8 the pushes of the top encoders, 49..52 the user keys.
inline constexpr int FirstTopEncoder = 1;
inline constexpr int FirstLowerEncoder = 33;
inline constexpr int FirstKey = 33;
inline constexpr int FirstUserKey = 49;
inline constexpr int RowLength = 8;

namespace detail {

inline constexpr const char* RowNames[EditRowCount] = {
    "Mod LFO Pitch", "Mod LFO Amp",   "Mod Pitch", "Mod Envelope", "PB Range",       "Porta Speed",
    "LFO Speed",     "LFO Delay",     "Op1 AME",   "Op2 AME",      "Op3 AME",        "Op4 AME",
    "Mono",          "Porta Type",    "LFO Wave",  "LFO Key Sync", "Op1 Fix",        "Op2 Fix",
    "Op3 Fix",       "Op4 Fix",       "FX Type",   "Randomise",    "LFO Sens Pitch", "LFO Sens Amp",
    "Algorithm",     "Transpose",     "Feedback",  "Reverb",       "FX Balance",     "FX Time",
    "LFO Mod Pitch", "LFO Mod Amp",   "Fix Range", "Coarse",       "Fine",           "Detune",
    "Velocity",      "Envelope Sens", "Wave",      "Output",       "Attack",         "Decay 1",
    "Decay Level",   "Decay 2",       "Release",   "Shift",        "KS Level",       "KS Rate",
};

// The largest value a row accepts: its record's maximum; for the per-operator rows the
// operators' (all alike); for the modulation rows the largest among the groups.
constexpr int rowMaximum(int row) {
    if (row <= Rows::LastModulationRow) {
        int max = 0;
        for (const auto& group : Tables::ModRecords)
            for (const Tables::ModRecordRow& record : group)
                if (record.row == row)
                    max = std::max(max, record.max);
        return max;
    }
    const auto opMax = [](OpField field) { return Tables::OpRecords[int(field)].max; };
    if (row >= Rows::FirstOperatorAme && row < Rows::FirstOperatorAme + OperatorCount)
        return opMax(OpField::AME);
    if (row >= Rows::FirstOperatorFix && row < Rows::FirstOperatorFix + OperatorCount)
        return opMax(OpField::Fix);
    if (row >= Rows::FirstPerOperator)
        return opMax(Tables::PerOperatorRows[row - Rows::FirstPerOperator]);
    if (row == Rows::RandomiseButton)
        return 1;
    for (const Tables::SingleRowEntry& single : Tables::SingleRows)
        if (single.row == row)
            return single.max;
    return 0;
}

constexpr Kind keyKind(int row) {
    if (row == Rows::RandomiseButton)
        return Kind::CommandKey;
    return rowMaximum(row) == 1 ? Kind::ToggleKey : Kind::StepKey;
}

// The commands on the keys the rows leave free: the push of the first modulation encoder steps
// the modulation group, the pushes of encoders 2..4 undo, redo and compare A with B, those of
// 5..8 switch the operators, and the user keys beside the per-operator rows select the operator
// those rows edit. The top row's second encoder group holds the morph from A to B on its first
// encoder; the group keys switch between the two.
inline constexpr int MorphEncoder = 9;
inline constexpr Element Commands[] = {
    {Kind::CommandKey, 1, Rows::NextModGroupCC, 1, "Next Mod Group"},
    {Kind::CommandKey, 2, Rows::UndoCC, 1, "Undo"},
    {Kind::CommandKey, 3, Rows::RedoCC, 1, "Redo"},
    {Kind::CommandKey, 4, Rows::CompareCC, 1, "Compare A/B"},
    {Kind::Encoder, MorphEncoder, Rows::MorphCC, 100, "Morph A-B"},
    {Kind::ToggleKey, 5, Rows::FirstOpSwitchCC, 1, "Op1 On"},
    {Kind::ToggleKey, 6, Rows::FirstOpSwitchCC + 1, 1, "Op2 On"},
    {Kind::ToggleKey, 7, Rows::FirstOpSwitchCC + 2, 1, "Op3 On"},
    {Kind::ToggleKey, 8, Rows::FirstOpSwitchCC + 3, 1, "Op4 On"},
    {Kind::CommandKey, FirstUserKey, Rows::FirstOpSelectCC, 1, "Select Op1"},
    {Kind::CommandKey, FirstUserKey + 1, Rows::FirstOpSelectCC + 1, 1, "Select Op2"},
    {Kind::CommandKey, FirstUserKey + 2, Rows::FirstOpSelectCC + 2, 1, "Select Op3"},
    {Kind::CommandKey, FirstUserKey + 3, Rows::FirstOpSelectCC + 3, 1, "Select Op4"},
};

inline constexpr int ElementCount = EditRowCount + int(std::size(Commands));

constexpr std::array<Element, ElementCount> build() {
    std::array<Element, ElementCount> elements{};
    int next = 0;
    const auto encoders = [&](int firstRow, int firstNumber) {
        for (int i = 0; i < RowLength; ++i)
            elements[next++] = {Kind::Encoder, firstNumber + i, firstRow + i,
                                rowMaximum(firstRow + i), RowNames[firstRow + i]};
    };
    encoders(0, FirstTopEncoder);
    for (int row = Rows::FirstButtonRow; row <= Rows::LastButtonRow; ++row)
        elements[next++] = {keyKind(row), FirstKey + row - Rows::FirstButtonRow, row,
                            rowMaximum(row), RowNames[row]};
    for (int row = Rows::LastButtonRow + 1; row < EditRowCount; row += RowLength)
        encoders(row, FirstLowerEncoder + row - Rows::LastButtonRow - 1);
    for (const Element& command : Commands)
        elements[next++] = command;
    return elements;
}

} // namespace detail

// Every element the controller preset defines: the rows' encoders and keys in row order, then the
// command keys.
inline constexpr std::array<Element, detail::ElementCount> Elements = detail::build();

} // namespace ControllerLayout
