#include "edit/voice_display.h"

#include "edit/edit_state.h"
#include "edit/edited_sound.h"
#include "edit/page_controls.h"
#include "model/operator_panel.h"
#include "model/parameter_map.h"
#include "views/knob_value.h"
#include "views/views.h"

namespace {
// The operator panel's row of an operator's record, or -1.
int panelRow(OpField field) {
    for (int row = OperatorPanelFirstRow; row <= OperatorPanelLastRow; ++row)
        if (RowParam(row, 0) == VoiceParam::Op(0, field))
            return row;
    return -1;
}

const VoiceParam AlgorithmParam = *VoiceParam::Single(Rows::Algorithm);
} // namespace

VoiceDisplay::VoiceDisplay(ParameterMap& map, const EditState& state, const EditedSound& sound,
                           Prompter& prompts, const PageControls& controls)
    : map_(map), state_(state), sound_(sound), prompts_(prompts), controls_(controls) {}

bool VoiceDisplay::onScreen(VoiceParam param) const {
    switch (param.KindOf()) {
    case VoiceParam::Kind::Operator:
        // The switches of amplitude modulation and fixed frequency have a button per operator.
        return param.Field() == OpField::AME || param.Field() == OpField::Fix ||
               param.Operator() == state_.SelectedOp;
    case VoiceParam::Kind::Modulation:
        return param.Group() == state_.ModGroup;
    case VoiceParam::Kind::Single:
    case VoiceParam::Kind::Switch:
        break;
    }
    return true;
}

void VoiceDisplay::ShowValue(VoiceParam param, bool moveKnob) {
    const int value = sound_.voice.Value(param);
    if (onScreen(param)) {
        const TSyx_Param& record = map_.Record(param);
        SetLabel(prompts_, record, value);
        if (moveKnob && record.Knob)
            record.Knob->SetPosition(value);
    }
    if (param.KindOf() == VoiceParam::Kind::Operator)
        if (const int row = panelRow(param.Field()); row >= 0)
            UpdateOperatorGraph(map_.Op(param.Operator()), sound_.voice, row);
    if (param == AlgorithmParam && controls_.gAlgorithm)
        controls_.gAlgorithm->SetState(value);
}

void VoiceDisplay::ShowChanges(const Voice& before) {
    for (VoiceParam param : AllVoiceParams())
        if (before.Value(param) != sound_.voice.Value(param))
            ShowValue(param);
    if (before.Name() != sound_.voice.Name())
        ShowName();
}

void VoiceDisplay::ShowVoice() {
    for (VoiceParam param : AllVoiceParams())
        ShowValue(param);
    ShowName();
}

void VoiceDisplay::ShowCurrentVariants() {
    auto show = [&](int row) {
        const TSyx_Param* record = map_.Row(row)->Current(state_.SelectedOp, state_.ModGroup);
        if (record)
            ShowValue(VoiceParam::FromIndex(record->Index));
    };
    for (int row = 0; row <= Rows::LastModulationRow; ++row)
        show(row);
    for (int row = Rows::FirstPerOperator; row <= Rows::LastPerOperator; ++row)
        show(row);
}

void VoiceDisplay::ShowOperatorPanel(int op) {
    for (int row = OperatorPanelFirstRow; row <= OperatorPanelLastRow; ++row)
        UpdateOperatorGraph(map_.Op(op), sound_.voice, row);
}

void VoiceDisplay::ShowName() {
    if (controls_.eName)
        controls_.eName->SetText(sound_.voice.Name());
}

void VoiceDisplay::ShowMultiValue(MultiParam param, bool moveKnob) {
    const int part = param.PartNumber();
    if (part > 0 && param.Field() == PartField::Patch)
        map_.RetargetPartVoices(part, sound_.multi.Part(part, PartField::Bank));
    const TSyx_Param& record = map_.Record(param);
    const int value = sound_.multi.Value(param);
    SetLabel(prompts_, record, value);
    if (moveKnob && record.Knob)
        record.Knob->SetPosition(value);
}

void VoiceDisplay::ShowMultiChanges(const Multi& before, std::span<const int> rows, bool all) {
    for (int row : rows) {
        const MultiParam param = MultiParam::FromRow(row);
        if (all || before.Value(param) != sound_.multi.Value(param))
            ShowMultiValue(param);
    }
}
