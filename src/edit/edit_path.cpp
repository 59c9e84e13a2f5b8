#include "edit/edit_path.h"

#include "edit/controller_echo.h"
#include "edit/edit_state.h"
#include "edit/edited_sound.h"
#include "edit/editor_ports.h"
#include "edit/voice_display.h"
#include "edit/voice_transmission.h"
#include "model/parameter_map.h"
#include "synth/parameter_change.h"
#include "views/prompts.h"

namespace {
bool saysRangeAtOnce(Origin origin) {
    return origin == Origin::Screen || origin == Origin::Controller;
}
// The synth sent its own name; every other new name goes to it.
bool sendsName(Origin origin) {
    return origin != Origin::Synth;
}
} // namespace

EditPath::EditPath(EditedSound& sound, const ParameterMap& map, const EditState& state,
                   EditorPorts& ports, Prompter& prompts, ControllerEcho& echo,
                   VoiceDisplay& display, VoiceTransmission& transmission)
    : sound_(sound), map_(map), state_(state), ports_(ports), prompts_(prompts), echo_(echo),
      display_(display), transmission_(transmission) {}

const Voice& EditPath::CurrentVoice() const {
    return sound_.voice;
}

const Multi& EditPath::CurrentMulti() const {
    return sound_.multi;
}

int EditPath::checked(const TSyx_Param& record, int value, Origin origin) {
    if (value > record.Max && saysRangeAtOnce(origin))
        prompts_.Warning(ValueTooBigText(record, value));
    return value;
}

void EditPath::ApplyToRow(int row, int value, Origin origin) {
    if (echo_.LastVal(row) == value)
        return;
    echo_.SetLastVal(row, value);
    if (const TSyx_Param* record = map_.Row(row)->Current(state_.SelectedOp, state_.ModGroup))
        Set(VoiceParam::FromIndex(record->Index), value, origin);
    SendParameter(row);
}

void EditPath::SendParameter(int row) {
    const TCC_Param* r = map_.Row(row);
    const TSyx_Param* record = r ? r->Current(state_.SelectedOp, state_.ModGroup) : nullptr;
    if (!record)
        return;
    ports_.ToSynth(
        ParameterChange::Change(SynthDeviceNumber, record->Gp, record->Para,
                                sound_.voice.Value(VoiceParam::FromIndex(record->Index))));
}

void EditPath::Set(VoiceParam param, int value, Origin origin) {
    sound_.voice.Set(param, checked(map_.Record(param), value, origin));
    display_.ShowValue(param);
}

void EditPath::Replace(const Voice& voice, Origin origin) {
    const Voice before = sound_.voice;
    sound_.voice = voice;
    display_.ShowChanges(before);
    if (origin == Origin::Randomiser) {
        echoEveryKnob();
        transmission_.SendVoice();
    } else if (voice.Name() != before.Name() && sendsName(origin)) {
        sendName();
    }
}

void EditPath::echoEveryKnob() {
    // Row by row and variant by variant, as the controller's rings were set one after the other;
    // the value buttons are remembered, not echoed.
    for (int row = 0; row < EditRowCount; ++row)
        for (int slot = 0; slot < VariantSlotCount; ++slot) {
            const std::optional<VoiceParam> param = RowParam(row, slot);
            if (!param)
                continue;
            const int value = sound_.voice.Value(*param);
            if (map_.Record(*param).Knob)
                echo_.EchoValue(row, value);
            else
                echo_.SetLastVal(row, value);
        }
}

void EditPath::SetName(const QString& name, Origin origin) {
    sound_.voice.SetName(name);
    display_.ShowName();
    if (sendsName(origin))
        sendName();
}

void EditPath::sendName() {
    for (const auto& message : ParameterChange::Name(SynthDeviceNumber, sound_.voice.Name()))
        ports_.ToSynth(message);
}

void EditPath::SetMulti(MultiParam param, int value, Origin origin) {
    sound_.multi.Set(param, checked(map_.Record(param), value, origin));
    display_.ShowMultiValue(param);
    SendMultiParameter(param);
}

void EditPath::SendMultiParameter(MultiParam param) {
    const TSyx_Param& record = map_.Record(param);
    const int value = sound_.multi.Value(param);
    // Master tune travels in its own eight-byte form.
    if (param == MultiParam::Global(MultiField::MasterTune))
        ports_.ToSynth(ParameterChange::MasterTune(SynthDeviceNumber, value));
    else
        ports_.ToSynth(ParameterChange::Change(SynthDeviceNumber, record.Gp, record.Para, value));
}

void EditPath::ReplaceMulti(const Multi& multi, std::span<const int> rows, bool showAll) {
    const Multi before = sound_.multi;
    sound_.multi = multi;
    display_.ShowMultiChanges(before, rows, showAll);
}
