#pragma once

#include "model/domain.h"
#include "model/fields.h"
#include "model/record_tables.h"

#include <array>
#include <optional>

// Every parameter of a voice, each with its place among a Voice's values: the 18 records of each
// operator, the records the four modulation groups have, the single records of the patch rows
// 4..31 and the four operator switches.

// Rows 0..3 of a modulation group that have a record: aftertouch all four, mod wheel 0 and 1,
// breath all four, foot 1..3.
inline constexpr int ModParamCount = 13;
// Patch rows 4..31 with a record of their own (not 8..11 and 16..19, which are operators', nor 21).
inline constexpr int SingleRowCount = 19;
inline constexpr int VoiceParamCount =
    OperatorCount * OpFieldCount + ModParamCount + SingleRowCount + OperatorCount;

class VoiceParam {
public:
    static constexpr VoiceParam Op(int op, OpField field) {
        return VoiceParam(op * OpFieldCount + int(field));
    }
    // A modulation group's record for row 0..3; nothing where the group has none.
    static constexpr std::optional<VoiceParam> Mod(int group, int row) {
        const int slot = ModSlot[group][row];
        if (slot < 0)
            return std::nullopt;
        return VoiceParam(FirstMod + slot);
    }
    // The record of a patch row in 4..31 that has one of its own; nothing for the others.
    static constexpr std::optional<VoiceParam> Single(int row) {
        for (int i = 0; i < SingleRowCount; ++i)
            if (SingleRowsInOrder[i] == row)
                return VoiceParam(FirstSingle + i);
        return std::nullopt;
    }
    static constexpr VoiceParam OpSwitch(int op) { return VoiceParam(FirstSwitch + op); }
    static constexpr VoiceParam FromIndex(int index) { return VoiceParam(index); }

    constexpr int Index() const { return index_; }
    constexpr bool operator==(const VoiceParam&) const = default;

    // Which part of the voice it is, and the operator or group it belongs to.
    enum class Kind { Operator, Modulation, Single, Switch };
    constexpr Kind KindOf() const {
        if (index_ < FirstMod)
            return Kind::Operator;
        if (index_ < FirstSingle)
            return Kind::Modulation;
        if (index_ < FirstSwitch)
            return Kind::Single;
        return Kind::Switch;
    }
    // The operator 0..3 of an operator's record or switch, or -1.
    constexpr int Operator() const {
        if (index_ < FirstMod)
            return index_ / OpFieldCount;
        if (index_ >= FirstSwitch)
            return index_ - FirstSwitch;
        return -1;
    }
    // The field of an operator's record.
    constexpr OpField Field() const { return OpField(index_ % OpFieldCount); }
    // The modulation group 0..3 of a modulation group's record, or -1.
    constexpr int Group() const {
        for (int group = 0; group < ModGroupCount; ++group)
            for (int row = 0; row < 4; ++row)
                if (ModSlot[group][row] >= 0 && FirstMod + ModSlot[group][row] == index_)
                    return group;
        return -1;
    }

private:
    constexpr explicit VoiceParam(int index) : index_(index) {}

    static constexpr int FirstMod = OperatorCount * OpFieldCount;
    static constexpr int FirstSingle = FirstMod + ModParamCount;
    static constexpr int FirstSwitch = FirstSingle + SingleRowCount;
    static constexpr int ModSlot[ModGroupCount][4] = {
        {0, 1, 2, 3}, {4, 5, -1, -1}, {6, 7, 8, 9}, {-1, 10, 11, 12}};
    static constexpr int SingleRowsInOrder[SingleRowCount] = {
        4, 5, 6, 7, 12, 13, 14, 15, 20, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31};

    int index_;
};

// Bulk data lists the operator blocks in the order operator 4, 2, 3, 1: block k holds operator
// OperatorOrder[k].
inline constexpr std::array<int, OperatorCount> OperatorOrder{3, 1, 2, 0};

// What the synth and the editor know of a parameter: its parameter change group and number, its
// range and start value, the controller row (CC) that edits it, and its own value names.
struct ParamInfo {
    int group = 0;
    int para = 0;
    int max = 0;
    int start = 0;
    int row = -1; // the patch row, or 96..99 for the operator switches
    Tables::Names names;
};

const ParamInfo& InfoOf(VoiceParam param);

// The parameter of a patch row's variant slot (the operator for rows 32..47, the modulation group
// for rows 0..3, slot 0 for the others); nothing for an empty slot.
std::optional<VoiceParam> RowParam(int row, int slot);

// All parameters in index order.
const std::array<VoiceParam, VoiceParamCount>& AllVoiceParams();
