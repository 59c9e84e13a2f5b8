#include "edit/control_router.h"

#include "edit/ab_compare.h"
#include "edit/controller_echo.h"
#include "edit/edit_path.h"
#include "edit/edit_state.h"
#include "edit/editor_ports.h"
#include "edit/modulation_groups.h"
#include "edit/operators.h"
#include "edit/page_controls.h"
#include "edit/randomiser.h"
#include "edit/voice_morph_control.h"
#include "edit/voice_transmission.h"
#include "model/rows.h"
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

ControlRouter::ControlRouter(EditPath& path, EditState& state, EditorPorts& ports,
                             const PageControls& controls, ControllerEcho& echo,
                             Operators& operators, ModulationGroups& groups,
                             VoiceTransmission& voice, Randomiser& randomiser, AbCompare& compare,
                             VoiceMorphControl& morph)
    : path_(path), state_(state), ports_(ports), controls_(controls), echo_(echo),
      operators_(operators), groups_(groups), voice_(voice), randomiser_(randomiser),
      compare_(compare), morph_(morph) {}

void ControlRouter::MidiBCtoPCMidiInput() {
    TMidiInput& input = ports_.MidiBCtoPC();
    while (input.GetEventCount() > 0) {
        const std::unique_ptr<TMyMidiEvent> event = input.GetMidiEvent();
        // The port posts one notice per event, so what stays queued is drained at the next one.
        if (!event || !HandleControllerEvent(*event))
            return;
    }
}

bool ControlRouter::HandleControllerEvent(const TMyMidiEvent& event) {
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
    ApplyControllerMessage(status, cc, value, Origin::Controller);
    return true;
}

void ControlRouter::MidiKbdToPCMidiInput() {
    TMidiInput& input = ports_.MidiKbdToPC();
    while (input.GetEventCount() > 0) {
        const std::unique_ptr<TMyMidiEvent> event = input.GetMidiEvent();
        if (!event)
            return;
        // An empty SysEx buffer carries nothing to pass on; as a message it would be refused.
        const bool empty = event->StatusByte == MidiStatus::SysexStart && !event->SysexBytes;
        if (event->StatusByte != MidiStatus::ActiveSensing && !empty && ports_.SynthOutputChosen())
            ports_.MidiPCToSynth().PutMidiEvent(*event);
        if (OnKeyboardMessage && event->StatusByte < MidiStatus::SysexStart)
            OnKeyboardMessage(event->StatusByte, event->DataByte1, event->DataByte2);
    }
}

void ControlRouter::ApplyControllerMessage(int status, int cc, int value, Origin origin) {
    if (status != MidiStatus::ControlChange || cc < 0)
        return;
    if (cc < EditRowCount) {
        if (cc == Rows::RandomiseButton) {
            randomiser_.Randomise();
            return;
        }
        path_.ApplyToRow(cc, value, origin);
        if (cc == Rows::VoiceRequestCC) {
            state_.PatchRequestedByController = true;
            voice_.bGetPatchClick();
        }
    } else if (cc == Rows::NextModGroupCC) {
        groups_.lModGroupClick();
    } else if (isOperatorSwitch(cc)) {
        operators_.OnOff(cc, value, origin);
    } else if (isOperatorSelect(cc)) {
        operators_.Select(cc, origin);
    } else if (cc == Rows::UndoCC || cc == Rows::RedoCC) {
        // The key is a toggle on the controller: it is put out again, whatever it sent.
        cc == Rows::UndoCC ? Undo() : Redo();
        echo_.EchoCc(cc, 0);
    } else if (cc == Rows::CompareCC) {
        compare_.Toggle();
    } else if (cc == Rows::MorphCC) {
        morph_.Move(value);
    }
}

void ControlRouter::Undo() {
    compare_.Forget();
    path_.Undo();
}

void ControlRouter::Redo() {
    compare_.Forget();
    path_.Redo();
}

void ControlRouter::ScreenEdit(int row, int value) {
    ApplyControllerMessage(MidiStatus::ControlChange, row, value, Origin::Screen);
    echo_.EchoRow(row);
}
