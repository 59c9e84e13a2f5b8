#pragma once

#include "model/domain.h"
#include "model/multi.h"
#include "model/parameter_records.h"
#include "model/rows.h"
#include "model/value_names.h"
#include "model/voice_params.h"

#include <QDir>
#include <array>
#include <memory>
#include <variant>
#include <vector>

class ControlLookup;

// The slots of the parameter map.
namespace Slots {
// 0..55: patch rows, slot = controller CC number (PatchRowCount, domain.h)
constexpr int FirstMultiRow = 56;  // 56..150: multi rows 0..94
constexpr int FirstOp = 151;       // 151..154
constexpr int FirstMod = 155;      // 155..158
constexpr int FirstOpSwitch = 159; // 159..162
constexpr int FirstSingle = 163;   // 163..181
constexpr int Multi = 182;
constexpr int Count = 183;
} // namespace Slots

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

    void BuildPatchMap(ControlLookup& controls, const QDir& startFolder);
    void BuildMultiMap(ControlLookup& controls);

    // The patch row of a CC number, or null (no row, or outside 0..55).
    TCC_Param* Row(int cc) { return get<TCC_Param>(rowSlot(cc)); }
    const TCC_Param* Row(int cc) const { return get<TCC_Param>(rowSlot(cc)); }
    // Multi row 0..94, or null.
    TCC_mParam* MultiRow(int index) { return get<TCC_mParam>(multiRowSlot(index)); }
    const TCC_mParam* MultiRow(int index) const { return get<TCC_mParam>(multiRowSlot(index)); }
    // Operators, groups and switches 0..3.
    TOp& Op(int op) { return *get<TOp>(Slots::FirstOp + op); }
    const TOp& Op(int op) const { return *get<TOp>(Slots::FirstOp + op); }
    TMod& Mod(int group) { return *get<TMod>(Slots::FirstMod + group); }
    const TMod& Mod(int group) const { return *get<TMod>(Slots::FirstMod + group); }
    TSyx_Param& OpSwitch(int op) { return *get<TSyx_Param>(Slots::FirstOpSwitch + op); }
    const TSyx_Param& OpSwitch(int op) const { return *get<TSyx_Param>(Slots::FirstOpSwitch + op); }
    // The single record of a patch row in 4..31 that has one (not 8..11, 16..19, 21).
    TSyx_Param& SingleRecord(int row) { return *get<TSyx_Param>(singleSlot(row)); }
    const TSyx_Param& SingleRecord(int row) const { return *get<TSyx_Param>(singleSlot(row)); }
    TMulti& Multi() { return *get<TMulti>(Slots::Multi); }
    const TMulti& Multi() const { return *get<TMulti>(Slots::Multi); }
    const Slot& At(int slot) const { return slots_[slot]; }
    // The record of a voice or multi parameter.
    TSyx_Param& Record(VoiceParam param);
    const TSyx_Param& Record(VoiceParam param) const;
    TSyx_Param& Record(MultiParam param) { return *MultiRow(param.Row())->Param; }
    const TSyx_Param& Record(MultiParam param) const { return *MultiRow(param.Row())->Param; }

    // Points a part's voice record and knob at the names and numbers of a bank.
    void RetargetPartVoices(int part, int bank);

    static constexpr std::array<int, OperatorCount> OperatorOrder = ::OperatorOrder;

    ValueNameLists Lists;

private:
    // Slot -1 holds nothing.
    template <class T> T* get(int slot) const {
        if (slot < 0)
            return nullptr;
        const auto* held = std::get_if<std::unique_ptr<T>>(&slots_[std::size_t(slot)]);
        return held ? held->get() : nullptr;
    }
    static int rowSlot(int cc) { return cc >= 0 && cc < PatchRowCount ? cc : -1; }
    static int multiRowSlot(int index) {
        return index >= 0 && index < MultiRowCount ? Slots::FirstMultiRow + index : -1;
    }
    static int singleSlot(int row);

    void buildModulationGroups(ControlLookup& controls);
    void buildSingleRecords(ControlLookup& controls);
    void buildOperatorSwitches(ControlLookup& controls);
    void buildPatchRows();

    std::array<Slot, Slots::Count> slots_;
    std::vector<std::unique_ptr<TSyx_Param>> modulationRecords_;
};

// Binds the operators' records to the shared per-operator knobs, labels and buttons.
void AssignOperatorControls(ParameterMap& map, ControlLookup& controls);
