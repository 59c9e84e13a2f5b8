#include "edit/operators.h"

#include "edit/controller_echo.h"
#include "edit/edit_state.h"
#include "edit/editor_ports.h"
#include "edit/page_controls.h"
#include "edit/scope_exit.h"
#include "model/operator_panel.h"
#include "model/parameter_map.h"
#include "synth/parameter_change.h"
#include "views/knob_value.h"
#include "views/views.h"

namespace {
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

Operators::Operators(ParameterMap& map, EditState& state, EditorPorts& ports, ControllerEcho& echo,
                     Prompter& prompts, const PageControls& controls)
    : map_(map), state_(state), ports_(ports), echo_(echo), prompts_(prompts), controls_(controls) {
}

int Operators::Mask() const {
    return ParameterChange::MaskOf(map_);
}

void Operators::OnOff(int cc, int value) {
    const int op = cc - Rows::FirstOpSwitchCC;
    if (op == state_.SelectedOp) {
        // The selected operator cannot be switched off; relight the controller's button.
        echo_.EchoCc(cc, 1);
        return;
    }
    SetValueChecked(prompts_, map_.OpSwitch(op), value);
    SetOperatorMask(Mask());
}

void Operators::Select(int cc) {
    const int op = cc - Rows::FirstOpSelectCC;
    state_.Updating = true;
    ScopeExit done([this] { state_.Updating = false; });
    SetValueChecked(prompts_, map_.OpSwitch(op), 1);
    SetOperatorMask(Mask());
    SelectOperator(op);
    echo_.EchoCc(cc, 1);
}

void Operators::SetOperatorMask(int mask) {
    for (int op = 0; op < OperatorCount; ++op)
        ShowOperatorState(op);
    ports_.ToSynth(ParameterChange::OperatorMask(SynthDeviceNumber, mask));
    for (int op = 0; op < OperatorCount; ++op) {
        CaptionView* label = map_.Op(op).NameLabel;
        if (!label)
            continue;
        const bool on = mask & ParameterChange::OperatorBit(op);
        label->SetCaption(QStringLiteral("Op%1").arg(op + 1) +
                          (on ? QString() : QStringLiteral("-Off ")));
        label->SetLeft(on ? OnLabelLeft : OffLabelLeft);
    }
    for (int op = 0; op < OperatorCount; ++op)
        echo_.EchoCc(Rows::FirstOpSwitchCC + op, map_.OpSwitch(op).Val);
}

void Operators::SelectOperator(int op) {
    if (op == state_.SelectedOp)
        return;
    state_.SelectedOp = op;
    for (int i = 0; i < OperatorCount; ++i) {
        ShowOperatorState(i);
        echo_.EchoCc(Rows::FirstOpSelectCC + i, i == op ? 1 : 0);
    }
    ShowOperatorValues(op);
}

void Operators::ShowOperatorValues(int op) {
    echo_.EchoCc(Rows::FirstOpSelectCC + op, 1);
    TOp& record = map_.Op(op);
    for (int row = OperatorPanelFirstRow; row <= OperatorPanelLastRow; ++row)
        UpdateOperatorGraph(record, row);
    // Each knob setting runs through KnobChange, so the controller follows every value.
    for (int row = Rows::FirstPerOperator; row <= Rows::LastPerOperator; ++row) {
        KnobValue* knob = controls_.Knob[row];
        if (!knob)
            continue;
        state_.ScreenEditArmed = true;
        knob->SetPosition(map_.Row(row)->Variant[op]->Val);
    }
}

void Operators::ShowOperatorState(int op) {
    const bool on = map_.OpSwitch(op).Val == 1;
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
