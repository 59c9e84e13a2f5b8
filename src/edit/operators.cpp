#include "edit/operators.h"

#include "edit/controller_echo.h"
#include "edit/edit_path.h"
#include "edit/edit_state.h"
#include "edit/edited_sound.h"
#include "edit/editor_ports.h"
#include "edit/page_controls.h"
#include "edit/voice_display.h"
#include "model/parameter_map.h"
#include "synth/parameter_change.h"
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

Operators::Operators(const ParameterMap& map, EditState& state, const EditedSound& sound,
                     EditorPorts& ports, ControllerEcho& echo, EditPath& path,
                     VoiceDisplay& display, const PageControls& controls)
    : map_(map), state_(state), sound_(sound), ports_(ports), echo_(echo), path_(path),
      display_(display), controls_(controls) {}

int Operators::Mask() const {
    return sound_.voice.OperatorMask();
}

void Operators::OnOff(int cc, int value, Origin origin) {
    const int op = cc - Rows::FirstOpSwitchCC;
    if (op == state_.SelectedOp) {
        // The selected operator cannot be switched off; relight the controller's button.
        echo_.EchoCc(cc, 1);
        return;
    }
    path_.Set(VoiceParam::OpSwitch(op), value, origin);
    SetOperatorMask(Mask());
}

void Operators::Select(int cc, Origin origin, Reshow reshow) {
    const int op = cc - Rows::FirstOpSelectCC;
    path_.Set(VoiceParam::OpSwitch(op), 1, origin);
    SetOperatorMask(Mask());
    if (reshow == Reshow::Always)
        showSelection(op, false);
    else
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
        echo_.EchoCc(Rows::FirstOpSwitchCC + op, sound_.voice.Value(VoiceParam::OpSwitch(op)));
}

void Operators::SelectOperator(int op, bool sendRows) {
    if (op != state_.SelectedOp)
        showSelection(op, sendRows);
}

void Operators::showSelection(int op, bool sendRows) {
    state_.SelectedOp = op;
    for (int i = 0; i < OperatorCount; ++i) {
        ShowOperatorState(i);
        echo_.EchoCc(Rows::FirstOpSelectCC + i, i == op ? 1 : 0);
    }
    showOperatorValues(op, sendRows);
}

void Operators::showOperatorValues(int op, bool sendRows) {
    echo_.EchoCc(Rows::FirstOpSelectCC + op, 1);
    display_.ShowOperatorPanel(op);
    display_.ShowCurrentVariants();
    for (int row = Rows::FirstPerOperator; row <= Rows::LastPerOperator; ++row) {
        const int value = sound_.voice.Value(*RowParam(row, op));
        if (echo_.LastVal(row) != value) {
            echo_.SetLastVal(row, value);
            if (sendRows)
                path_.SendParameter(row);
        }
        echo_.EchoRow(row);
    }
}

void Operators::ShowOperatorState(int op) {
    const bool on = sound_.voice.Value(VoiceParam::OpSwitch(op)) == 1;
    const OperatorColours& c = !on                       ? OffColours
                               : op == state_.SelectedOp ? SelectedColours
                                                         : OnColours;
    if (CaptionView* select = controls_.lOpSelect[op])
        select->SetColor(c.select);
    if (CaptionView* panel = controls_.pOp[op])
        panel->SetColor(c.panel);
    const TOp& record = map_.Op(op);
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
