#include "model/voice_params.h"

#include "model/patch_map_tables.h"
#include "model/rows.h"

#include <utility>

namespace {

int rowOfOpField(int op, OpField field) {
    if (field == OpField::AME)
        return Rows::FirstOperatorAme + op;
    if (field == OpField::Fix)
        return Rows::FirstOperatorFix + op;
    for (int i = 0; i <= Rows::LastPerOperator - Rows::FirstPerOperator; ++i)
        if (Tables::PerOperatorRows[i] == field)
            return Rows::FirstPerOperator + i;
    return -1;
}

std::array<ParamInfo, VoiceParamCount> makeSpecs() {
    std::array<ParamInfo, VoiceParamCount> specs{};
    for (int op = 0; op < OperatorCount; ++op)
        for (const Tables::OpRecordRow& r : Tables::OpRecords)
            specs[std::size_t(VoiceParam::Op(op, r.field).Index())] = {
                r.group,
                Tables::opBase(r.group, op) + r.offset,
                r.max,
                r.start,
                rowOfOpField(op, r.field),
                r.names};
    for (int g = 0; g < ModGroupCount; ++g)
        for (const Tables::ModRecordRow& r : Tables::ModRecords[g])
            if (r.row >= 0)
                specs[std::size_t(VoiceParam::Mod(g, r.row)->Index())] = {r.group, r.para, r.max,
                                                                          0,       r.row,  {}};
    for (const Tables::SingleRowEntry& r : Tables::SingleRows)
        specs[std::size_t(VoiceParam::Single(r.row)->Index())] = {r.group, r.para, r.max,
                                                                  0,       r.row,  r.names};
    for (int op = 0; op < OperatorCount; ++op)
        specs[std::size_t(VoiceParam::OpSwitch(op).Index())] = {
            Tables::Group12, Tables::OperatorMaskPara, 1, 1, Rows::FirstOpSwitchCC + op,
            Tables::OffOn};
    return specs;
}

} // namespace

const ParamInfo& InfoOf(VoiceParam param) {
    static const std::array<ParamInfo, VoiceParamCount> specs = makeSpecs();
    return specs[std::size_t(param.Index())];
}

std::optional<VoiceParam> RowParam(int row, int slot) {
    if (row < 0 || row >= EditRowCount || slot < 0 || slot >= VariantSlotCount)
        return std::nullopt;
    if (row <= Rows::LastModulationRow)
        return VoiceParam::Mod(slot, row);
    if (row >= Rows::FirstPerOperator)
        return VoiceParam::Op(slot, Tables::PerOperatorRows[row - Rows::FirstPerOperator]);
    if (slot != 0)
        return std::nullopt;
    if (row >= Rows::FirstOperatorAme && row < Rows::FirstOperatorAme + OperatorCount)
        return VoiceParam::Op(row - Rows::FirstOperatorAme, OpField::AME);
    if (row >= Rows::FirstOperatorFix && row < Rows::FirstOperatorFix + OperatorCount)
        return VoiceParam::Op(row - Rows::FirstOperatorFix, OpField::Fix);
    return VoiceParam::Single(row);
}

const std::array<VoiceParam, VoiceParamCount>& AllVoiceParams() {
    static const auto all = []<std::size_t... I>(std::index_sequence<I...>) {
        return std::array<VoiceParam, VoiceParamCount>{VoiceParam::FromIndex(int(I))...};
    }
    (std::make_index_sequence<VoiceParamCount>());
    return all;
}
