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
struct OperatorColours {
    TColor select;
    TColor panel;
    TColor labelBackground;
    TColor labelText;
    TColor graphLine;
    TColor graphMarker;
    TColor graphGradient;
};

constexpr OperatorColours SelectedColours{Colours::Yellow, Colours::Yellow, Colours::Yellow,
                                          Colours::Black,  Colours::Teal,   Colours::Yellow,
                                          Colours::Yellow};
constexpr OperatorColours OnColours{Colours::White, Colours::Green, Colours::Black, Colours::Silver,
                                    Colours::Teal,  Colours::Aqua,  Colours::Navy};
constexpr OperatorColours OffColours{Colours::Silver, Colours::Grey, Colours::Black,
                                     Colours::Silver, Colours::Grey, Colours::Grey,
                                     Colours::Silver};

// The name label sits further left when it reads "OpN-Off ".
constexpr int OnLabelLeft = 31;
constexpr int OffLabelLeft = 22;
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

void VoiceDisplay::ShowOperatorState(int op) {
    const bool on = sound_.voice.Value(VoiceParam::OpSwitch(op)) == 1;
    const OperatorColours& c = !on                       ? OffColours
                               : op == state_.SelectedOp ? SelectedColours
                                                         : OnColours;
    if (CaptionView* select = controls_.lOpSelect[op])
        select->SetColor(c.select);
    if (CaptionView* panel = controls_.pOp[op])
        panel->SetColor(c.panel);
    TOp& record = map_.Op(op);
    if (record.NameLabel) {
        record.NameLabel->SetColor(c.labelBackground);
        record.NameLabel->SetFontColor(c.labelText);
    }
    if (record.EnvGraph) {
        record.EnvGraph->SetLineColor(c.graphLine);
        record.EnvGraph->SetMarkerColor(c.graphMarker);
        record.EnvGraph->SetGradientColor(c.graphGradient);
    }
}

void VoiceDisplay::ShowOperatorStates() {
    for (int op = 0; op < OperatorCount; ++op)
        ShowOperatorState(op);
}

void VoiceDisplay::ShowOperatorLabels() {
    for (int op = 0; op < OperatorCount; ++op) {
        CaptionView* label = map_.Op(op).NameLabel;
        if (!label)
            continue;
        const bool on = sound_.voice.Value(VoiceParam::OpSwitch(op)) == 1;
        label->SetCaption(QStringLiteral("Op%1").arg(op + 1) +
                          (on ? QString() : QStringLiteral("-Off ")));
        label->SetLeft(on ? OnLabelLeft : OffLabelLeft);
    }
}
