#include "edit/edit_path.h"

#include "edit/controller_echo.h"
#include "edit/edit_state.h"
#include "edit/editor_ports.h"
#include "edit/modulation_groups.h"
#include "edit/operators.h"
#include "edit/page_controls.h"
#include "edit/randomiser.h"
#include "edit/voice_transmission.h"
#include "model/operator_panel.h"
#include "model/parameter_map.h"
#include "synth/parameter_change.h"
#include "views/knob_value.h"
#include "views/views.h"

namespace {
constexpr int FirstUnusedCC = 49; // 49..95 are shown but never applied
constexpr int LastUnusedCC = 95;

bool isOperatorSwitch(int cc) {
    return cc >= Rows::FirstOpSwitchCC && cc < Rows::FirstOpSwitchCC + OperatorCount;
}

bool isOperatorSelect(int cc) {
    return cc >= Rows::FirstOpSelectCC && cc < Rows::FirstOpSelectCC + OperatorCount;
}

QString hex2(int v) {
    return QStringLiteral("%1").arg(v & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}
} // namespace

EditPath::EditPath(ParameterMap& map, EditState& state, EditorPorts& ports, Prompter& prompts,
                   const PageControls& controls, ControllerEcho& echo, Operators& operators,
                   ModulationGroups& groups, VoiceTransmission& voice, Randomiser& randomiser)
    : map_(map), state_(state), ports_(ports), prompts_(prompts), controls_(controls), echo_(echo),
      operators_(operators), groups_(groups), voice_(voice), randomiser_(randomiser) {}

void EditPath::MidiBCtoPCMidiInput() {
    TMidiInput& input = ports_.MidiBCtoPC();
    while (input.GetEventCount() > 0) {
        const std::unique_ptr<TMyMidiEvent> event = input.GetMidiEvent();
        // The port posts one notice per event, so what stays queued is drained at the next one.
        if (!event || !HandleControllerEvent(*event))
            return;
    }
}

bool EditPath::HandleControllerEvent(const TMyMidiEvent& event) {
    if (event.StatusByte == MidiStatus::ActiveSensing)
        return true;
    lastControllerMessage_ = {std::uint8_t(event.StatusByte & MidiStatus::KindMask),
                              event.DataByte1, event.DataByte2};
    const int status = lastControllerMessage_[0];
    const int cc = lastControllerMessage_[1];
    const int value = lastControllerMessage_[2];
    if (controls_.lCtrlMsg)
        controls_.lCtrlMsg->SetCaption(
            QStringLiteral("CC: %1, %2, %3").arg(hex2(status), hex2(cc), hex2(value)));
    if (cc >= FirstUnusedCC && cc <= LastUnusedCC)
        return false;
    state_.ScreenEditArmed = false;
    ApplyControllerMessage(status, cc, value);
    return true;
}

void EditPath::MidiKbdToPCMidiInput() {
    TMidiInput& input = ports_.MidiKbdToPC();
    while (input.GetEventCount() > 0) {
        const std::unique_ptr<TMyMidiEvent> event = input.GetMidiEvent();
        if (!event)
            return;
        // An empty SysEx buffer carries nothing to pass on; as a message it would be refused.
        const bool empty = event->StatusByte == MidiStatus::SysexStart && !event->SysexBytes;
        if (event->StatusByte != MidiStatus::ActiveSensing && !empty && ports_.SynthOutputChosen())
            ports_.MidiPCToSynth().PutMidiEvent(*event);
    }
}

void EditPath::ApplyControllerMessage(int status, int cc, int value) {
    if (status != MidiStatus::ControlChange || cc < 0)
        return;
    if (cc < EditRowCount) {
        if (cc == Rows::RandomiseButton) {
            randomiser_.Randomise();
            return;
        }
        applyToRow(cc, value);
        if (cc == Rows::VoiceRequestCC) {
            state_.PatchRequestedByController = true;
            voice_.bGetPatchClick();
        }
    } else if (cc == Rows::NextModGroupCC) {
        groups_.lModGroupClick();
    } else if (isOperatorSwitch(cc)) {
        operators_.OnOff(cc, value);
    } else if (isOperatorSelect(cc)) {
        operators_.Select(cc);
    }
}

void EditPath::applyToRow(int row, int value) {
    TCC_Param* r = map_.Row(row);
    if (r->LastVal == value)
        return;
    r->LastVal = value;
    if (TSyx_Param* record = r->Current(state_.SelectedOp, state_.ModGroup))
        SetValueChecked(prompts_, *record, value);
    SendParameter(row);
}

void EditPath::SendParameter(int row) {
    if (state_.Updating)
        return;
    const TCC_Param* r = map_.Row(row);
    const TSyx_Param* record = r ? r->Current(state_.SelectedOp, state_.ModGroup) : nullptr;
    if (!record)
        return;
    ports_.ToSynth(
        ParameterChange::Change(SynthDeviceNumber, record->Gp, record->Para, record->Val));
    if (row == Rows::Algorithm && controls_.gAlgorithm)
        controls_.gAlgorithm->SetState(record->Val);
    if (record->Tag >= 0 && row >= OperatorPanelFirstRow && row <= OperatorPanelLastRow)
        UpdateOperatorGraph(map_.Op(state_.SelectedOp), row);
}

void EditPath::KnobChange(KnobValue* sender) {
    if (!state_.ScreenEditArmed)
        return;
    state_.ScreenEditArmed = false;
    const int row = RowOfKnob(sender);
    if (row < 0)
        return;
    ApplyControllerMessage(MidiStatus::ControlChange, row, sender->Position());
    echo_.EchoRow(row);
}

int EditPath::RowOfKnob(const KnobValue* knob) const {
    if (!knob)
        return -1;
    for (int row = 0; row < PatchRowCount; ++row) {
        const TCC_Param* r = map_.Row(row);
        if (r && r->Variant[0] && r->Variant[0]->Knob == knob)
            return r->CC;
    }
    return -1;
}
