#include "edit/editor.h"
#include "edit/scope_exit.h"
#include "model/operator_panel.h"
#include "synth/parameter_change.h"
#include "views/knob_value.h"
#include "views/prompts.h"
#include "views/views.h"

namespace {
constexpr int ControlChange = 0xB0;
constexpr int ActiveSensing = 0xFE;
constexpr int FirstUnusedCC = 49; // 49..95 are shown but never applied
constexpr int LastUnusedCC = 95;
constexpr int NextModGroupCC = 48;
constexpr int RandomiseCC = 21;
constexpr int VoiceRequestCC = 20;

QString hex2(int v) {
    return QStringLiteral("%1").arg(v & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}
} // namespace

void Editor::MidiBCtoPCMidiInput() {
    while (MidiBCtoPC.GetEventCount() > 0) {
        const std::unique_ptr<TMyMidiEvent> event = MidiBCtoPC.GetMidiEvent();
        if (!event)
            return;
        if (event->StatusByte == ActiveSensing)
            continue;
        LastControllerMessage = {std::uint8_t(event->StatusByte & 0xF0), event->DataByte1,
                                 event->DataByte2};
        const int status = LastControllerMessage[0];
        const int cc = LastControllerMessage[1];
        const int value = LastControllerMessage[2];
        if (Controls.lCtrlMsg)
            Controls.lCtrlMsg->SetCaption(
                QStringLiteral("CC: %1, %2, %3").arg(hex2(status), hex2(cc), hex2(value)));
        // The port posts one notice per event, so what stays queued is drained at the next one.
        if (cc >= FirstUnusedCC && cc <= LastUnusedCC)
            return;
        ScreenEditArmed = false;
        ApplyControllerMessage(status, cc, value);
    }
}

void Editor::MidiKbdToPCMidiInput() {
    while (MidiKbdToPC.GetEventCount() > 0) {
        const std::unique_ptr<TMyMidiEvent> event = MidiKbdToPC.GetMidiEvent();
        if (!event)
            return;
        if (event->StatusByte != ActiveSensing && SynthOutputChosen())
            MidiPCToSynth.PutMidiEvent(*event);
    }
}

void Editor::ApplyControllerMessage(int status, int cc, int value) {
    if (status != ControlChange)
        return;
    if (cc < 0)
        return;
    if (cc < Slots::EditRowCount) {
        if (cc == RandomiseCC) {
            Randomise();
            return;
        }
        applyToRow(cc, value);
        if (cc == VoiceRequestCC) {
            PatchRequestedByController = true;
            bGetPatchClick();
        }
    } else if (cc == NextModGroupCC) {
        lModGroupClick();
    } else if (cc >= Rows::FirstOpSwitchCC && cc < Rows::FirstOpSwitchCC + 4) {
        operatorOnOff(cc, value);
    } else if (cc >= Rows::FirstOpSelectCC && cc < Rows::FirstOpSelectCC + 4) {
        operatorSelect(cc);
    }
}

void Editor::applyToRow(int row, int value) {
    TCC_Param* r = Map.Row(row);
    if (r->LastVal == value)
        return;
    r->LastVal = value;
    if (TSyx_Param* record = r->Current(SelectedOp, ModGroup))
        SetValueChecked(services_.prompts, *record, value);
    SendParameter(row);
}

void Editor::SendParameter(int row) {
    if (Updating)
        return;
    const TSyx_Param* record = currentVariant(row);
    if (!record)
        return;
    const auto message =
        ParameterChange::Change(SynthDevice, record->Gp, record->Para, record->Val);
    putToSynth(message.data(), int(message.size()));
    if (row == Rows::Algorithm && Controls.gAlgorithm)
        Controls.gAlgorithm->SetState(record->Val);
    if (record->Tag >= 0 && row >= OperatorPanelFirstRow && row <= OperatorPanelLastRow)
        UpdateOperatorGraph(Map.Op(SelectedOp), row);
}

void Editor::operatorOnOff(int cc, int value) {
    const int op = cc - Rows::FirstOpSwitchCC;
    if (op == SelectedOp) {
        // The selected operator cannot be switched off; relight the controller's button.
        EchoCc(cc, 1);
        return;
    }
    SetValueChecked(services_.prompts, Map.OpSwitch(op), value);
    SetOperatorMask(ParameterChange::MaskOf(Map));
}

void Editor::operatorSelect(int cc) {
    const int op = cc - Rows::FirstOpSelectCC;
    Updating = true;
    ScopeExit done([this] { Updating = false; });
    SetValueChecked(services_.prompts, Map.OpSwitch(op), 1);
    SetOperatorMask(ParameterChange::MaskOf(Map));
    SelectOperator(op);
    EchoCc(cc, 1);
}

void Editor::SetOperatorMask(int mask) {
    for (int op = 0; op < 4; ++op)
        ShowOperatorState(op);
    if (SynthOutputChosen()) {
        const auto message = ParameterChange::OperatorMask(SynthDevice, mask);
        MidiPCToSynth.PutLong(message.data(), std::uint16_t(message.size()));
    }
    for (int op = 0; op < 4; ++op) {
        CaptionView* label = Map.Op(op).NameLabel;
        if (!label)
            continue;
        const bool on = mask & (8 >> op);
        label->SetCaption(QStringLiteral("Op%1").arg(op + 1) +
                          (on ? QString() : QStringLiteral("-Off ")));
        label->SetLeft(on ? 31 : 22);
    }
    for (int op = 0; op < 4; ++op)
        EchoCc(Rows::FirstOpSwitchCC + op, Map.OpSwitch(op).Val);
}

void Editor::SelectOperator(int op) {
    if (op == SelectedOp)
        return;
    SelectedOp = op;
    for (int i = 0; i < 4; ++i) {
        ShowOperatorState(i);
        EchoCc(Rows::FirstOpSelectCC + i, i == op ? 1 : 0);
    }
    ShowOperatorValues(op);
}

void Editor::ShowOperatorValues(int op) {
    EchoCc(Rows::FirstOpSelectCC + op, 1);
    TOp& record = Map.Op(op);
    for (int row = OperatorPanelFirstRow; row <= OperatorPanelLastRow; ++row)
        UpdateOperatorGraph(record, row);
    // Each knob setting runs through KnobChange, so the controller follows every value.
    for (int row = Rows::FirstPerOperator; row <= Rows::LastPerOperator; ++row) {
        KnobValue* knob = Controls.Knob[row];
        if (!knob)
            continue;
        ScreenEditArmed = true;
        knob->SetPosition(Map.Row(row)->Variant[op]->Val);
    }
}

void Editor::KnobChange(KnobValue* sender) {
    if (!ScreenEditArmed)
        return;
    ScreenEditArmed = false;
    const int row = RowOfKnob(sender);
    if (row < 0)
        return;
    ApplyControllerMessage(ControlChange, row, sender->Position());
    EchoRow(row);
}

int Editor::RowOfKnob(const KnobValue* knob) const {
    if (!knob)
        return -1;
    for (int row = 0; row < Slots::PatchRowCount; ++row) {
        const TCC_Param* r = Map.Row(row);
        if (r && r->Variant[0] && r->Variant[0]->Knob == knob)
            return r->CC;
    }
    return -1;
}
