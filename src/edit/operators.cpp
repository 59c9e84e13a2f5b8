#include "edit/operators.h"

#include "edit/controller_echo.h"
#include "edit/edit_path.h"
#include "edit/edit_state.h"
#include "edit/edited_sound.h"
#include "edit/editor_ports.h"
#include "edit/voice_display.h"
#include "model/rows.h"
#include "synth/parameter_change.h"

Operators::Operators(EditState& state, const EditedSound& sound, EditorPorts& ports,
                     ControllerEcho& echo, EditPath& path, VoiceDisplay& display)
    : state_(state), sound_(sound), ports_(ports), echo_(echo), path_(path), display_(display) {}

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
    display_.ShowOperatorStates();
    ports_.ToSynth(ParameterChange::OperatorMask(SynthDeviceNumber, mask));
    display_.ShowOperatorLabels();
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
        display_.ShowOperatorState(i);
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
