#pragma once

#include "model/parameter_records.h"
#include "model/value_names.h"

#include <QDir>
#include <array>
#include <memory>
#include <variant>
#include <vector>

class ControlLookup;
class Prompter;

// The slots of the parameter map.
namespace Slots {
constexpr int PatchRowCount = 56; // 0..55, slot = controller CC number; rows 0..47 exist
constexpr int EditRowCount = 48;  // rows 0..47
constexpr int FirstMultiRow = 56; // 56..150: multi rows 0..94
constexpr int MultiRowCount = 95;
constexpr int FirstOp = 151;       // 151..154
constexpr int FirstMod = 155;      // 155..158
constexpr int FirstOpSwitch = 159; // 159..162
constexpr int FirstSingle = 163;   // 163..181
constexpr int Multi = 182;
constexpr int Count = 183;
} // namespace Slots

// Special controller CC numbers and rows.
namespace Rows {
constexpr int RandomiseButton = 21; // has no records
constexpr int EffectType = 20;
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
} // namespace Rows

// One table of 183 slots that holds every record, row and group of the editor, built once at
// start-up.
class ParameterMap {
public:
    using Slot =
        std::variant<std::monostate, std::unique_ptr<TCC_Param>, std::unique_ptr<TCC_mParam>,
                     std::unique_ptr<TOp>, std::unique_ptr<TMod>, std::unique_ptr<TSyx_Param>,
                     std::unique_ptr<TMulti>>;

    // Creates the TMulti, which exists before anything else is built.
    ParameterMap();

    void BuildPatchMap(ControlLookup& controls, Prompter& prompts, const QDir& startFolder);
    void BuildMultiMap(ControlLookup& controls, Prompter& prompts);

    // The patch row of a CC number, or null (no row, or outside 0..55).
    TCC_Param* Row(int cc) const;
    // Multi row 0..94, or null.
    TCC_mParam* MultiRow(int index) const;
    TOp& Op(int op) const;              // 0..3
    TMod& Mod(int group) const;         // 0..3
    TSyx_Param& OpSwitch(int op) const; // 0..3
    // The single record of a patch row in 4..31 that has one (not 8..11, 16..19, 21).
    TSyx_Param& SingleRecord(int row) const;
    TMulti& Multi() const;
    const Slot& At(int slot) const { return slots_[slot]; }

    // Block k of the synth's bulk data holds operator OperatorOrder[k].
    static constexpr std::array<int, 4> OperatorOrder{3, 1, 2, 0};

    ValueNameLists Lists;

private:
    template <class T> T* get(int slot) const {
        const auto* held = std::get_if<std::unique_ptr<T>>(&slots_[slot]);
        return held ? held->get() : nullptr;
    }

    void buildModulationGroups(ControlLookup& controls);
    void buildSingleRecords(ControlLookup& controls);
    void buildOperatorSwitches(ControlLookup& controls, Prompter& prompts);
    void buildPatchRows();

    std::array<Slot, Slots::Count> slots_;
    std::vector<std::unique_ptr<TSyx_Param>> modulationRecords_;
};

// Binds the operators' records to the shared per-operator knobs, labels and buttons.
void AssignOperatorControls(ParameterMap& map, ControlLookup& controls);
