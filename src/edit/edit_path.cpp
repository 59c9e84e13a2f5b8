#include "edit/edit_path.h"

#include "edit/controller_echo.h"
#include "edit/edit_state.h"
#include "edit/edited_sound.h"
#include "edit/editor_ports.h"
#include "edit/voice_display.h"
#include "edit/voice_transmission.h"
#include "model/param_names.h"
#include "model/parameter_map.h"
#include "model/rows.h"
#include "synth/parameter_change.h"
#include "views/prompts.h"
#include "views/services.h"

namespace {
bool saysRangeAtOnce(Origin origin) {
    return origin == Origin::Screen || origin == Origin::Controller;
}
// The synth sent its own name; every other new name goes to it.
bool sendsName(Origin origin) {
    return origin != Origin::Synth;
}
bool isEdit(Origin origin) {
    return origin == Origin::Screen || origin == Origin::Controller || origin == Origin::Randomiser;
}
} // namespace

EditPath::EditPath(EditedSound& sound, const ParameterMap& map, const EditState& state,
                   EditorPorts& ports, Prompter& prompts, const Clock& clock, ControllerEcho& echo,
                   VoiceDisplay& display, VoiceTransmission& transmission)
    : sound_(sound), map_(map), state_(state), ports_(ports), echo_(echo), clock_(clock),
      display_(display), transmission_(transmission),
      history_([this](const VoiceHistory::Step& step) { return describe(step); }),
      multiHistory_([this](const MultiHistory::Step& step) { return describeMulti(step); }),
      rangeWarnings_(prompts, clock) {}

const Voice& EditPath::CurrentVoice() const {
    return sound_.voice;
}

const Multi& EditPath::CurrentMulti() const {
    return sound_.multi;
}

int EditPath::checked(const TSyx_Param& record, int value, Origin origin) {
    if (value > record.Max && saysRangeAtOnce(origin))
        rangeWarnings_.Say(ValueTooBigText(record, value));
    return value;
}

void EditPath::PrepareEdit() {
    if (BeforeEdit)
        BeforeEdit();
}

void EditPath::ApplyToRow(int row, int value, Origin origin) {
    if (isEdit(origin))
        PrepareEdit();
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
    if (isEdit(origin))
        PrepareEdit();
    const Voice before = sound_.voice;
    sound_.voice.Set(param, checked(map_.Record(param), value, origin));
    display_.ShowValue(param);
    record(before, origin, param.Index());
}

void EditPath::Replace(const Voice& voice, Origin origin) {
    if (origin == Origin::Undo || origin == Origin::Compare || origin == Origin::Morph) {
        Restore(voice, origin);
        return;
    }
    if (origin == Origin::Library) {
        Restore(voice, origin);
        if (OnVoiceCameIn)
            OnVoiceCameIn(sound_.voice);
        return;
    }
    const Voice before = sound_.voice;
    sound_.voice = voice;
    display_.ShowChanges(before);
    record(before, origin);
    if ((origin == Origin::Synth || origin == Origin::File) && OnVoiceCameIn)
        OnVoiceCameIn(sound_.voice);
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

void EditPath::Restore(const Voice& voice, Origin origin) {
    const Voice before = sound_.voice;
    sound_.voice = voice;
    display_.ShowChanges(before);
    record(before, origin);

    std::vector<VoiceParam> changed;
    bool switches = false;
    for (VoiceParam param : AllVoiceParams()) {
        if (before.Value(param) == voice.Value(param))
            continue;
        if (param.KindOf() == VoiceParam::Kind::Switch)
            switches = true;
        else
            changed.push_back(param);
    }
    const bool renamed = before.Name() != voice.Name();
    const int cost = int(changed.size()) + (renamed ? Voice::NameLength : 0);
    // A voice from the library goes whole to the synth, whatever it held before.
    if (origin == Origin::Library || cost > WholeVoiceChanges) {
        transmission_.SendVoice();
    } else {
        for (VoiceParam param : changed) {
            const ParamInfo& info = InfoOf(param);
            ports_.ToSynth(ParameterChange::Change(SynthDeviceNumber, info.group, info.para,
                                                   voice.Value(param)));
        }
        if (renamed)
            sendName();
    }
    if (switches) {
        ports_.ToSynth(ParameterChange::OperatorMask(SynthDeviceNumber, voice.OperatorMask()));
        display_.ShowOperatorStates();
        display_.ShowOperatorLabels();
    }
    // The controller's rings and switches follow what they show.
    for (int row = 0; row < EditRowCount; ++row) {
        const TSyx_Param* record = map_.Row(row)->Current(state_.SelectedOp, state_.ModGroup);
        if (record && before.Value(VoiceParam::FromIndex(record->Index)) !=
                          voice.Value(VoiceParam::FromIndex(record->Index)))
            echo_.EchoRow(row);
    }
    if (switches)
        for (int op = 0; op < OperatorCount; ++op)
            echo_.EchoCc(Rows::FirstOpSwitchCC + op, voice.Value(VoiceParam::OpSwitch(op)));
}

void EditPath::SetName(const QString& name, Origin origin) {
    if (origin == Origin::Screen)
        PrepareEdit();
    const Voice before = sound_.voice;
    sound_.voice.SetName(name);
    display_.ShowName();
    record(before, origin);
    if (sendsName(origin))
        sendName();
}

void EditPath::sendName() {
    for (const auto& message : ParameterChange::Name(SynthDeviceNumber, sound_.voice.Name()))
        ports_.ToSynth(message);
}

void EditPath::SetMulti(MultiParam param, int value, Origin origin) {
    const Multi before = sound_.multi;
    sound_.multi.Set(param, checked(map_.Record(param), value, origin));
    display_.ShowMultiValue(param);
    SendMultiParameter(param);
    recordMulti(before, origin, param.Row());
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

void EditPath::ReplaceMulti(const Multi& multi, std::span<const int> rows, bool showAll,
                            Origin origin) {
    const Multi before = sound_.multi;
    sound_.multi = multi;
    display_.ShowMultiChanges(before, rows, showAll);
    recordMulti(before, origin);
}

namespace {
// How a change of each origin joins the step before it.
template <class History> typename History::Key keyOf(Origin origin, int param) {
    using Join = typename History::Join;
    switch (origin) {
    case Origin::Screen:
    case Origin::Controller:
        return {param >= 0 ? Join::Turn : Join::Name, param};
    case Origin::Synth:
        return {Join::Fetch, -1};
    case Origin::Morph:
        return {Join::Morph, -1};
    case Origin::Library:
        return {Join::Browse, -1};
    default:
        return {Join::Never, -1};
    }
}
} // namespace

void EditPath::record(const Voice& before, Origin origin, int param) {
    if (origin != Origin::Undo)
        history_.Record(before, sound_.voice, keyOf<VoiceHistory>(origin, param),
                        clock_.ElapsedMs());
    if (OnVoiceChanged)
        OnVoiceChanged(sound_.voice);
    if (OnChanged)
        OnChanged();
}

void EditPath::recordMulti(const Multi& before, Origin origin, int row) {
    if (origin != Origin::Undo)
        multiHistory_.Record(before, sound_.multi, keyOf<MultiHistory>(origin, row),
                             clock_.ElapsedMs());
    if (OnChanged)
        OnChanged();
}

QString EditPath::describe(const VoiceHistory::Step& step) const {
    switch (step.key.join) {
    case VoiceHistory::Join::Fetch:
        return QStringLiteral("Voice received from the TQ5");
    case VoiceHistory::Join::Morph:
        return QStringLiteral("Morph");
    case VoiceHistory::Join::Browse:
        return step.name ? QStringLiteral("Library: ") + step.name->second
                         : QStringLiteral("Library voice");
    default:
        break;
    }
    if (step.changes.size() == 1 && !step.name) {
        const VoiceHistory::Change& change = step.changes.front();
        const VoiceParam param = VoiceParam::FromIndex(change.param);
        return QStringLiteral("%1 %2 -> %3")
            .arg(ParamName(param), ValueText(param, change.before), ValueText(param, change.after));
    }
    if (step.name && step.changes.empty())
        return QStringLiteral("Name \"%1\" -> \"%2\"").arg(step.name->first, step.name->second);
    return QStringLiteral("%1 changes").arg(step.changes.size() + (step.name ? 1 : 0));
}

QString EditPath::describeMulti(const MultiHistory::Step& step) const {
    if (step.key.join == MultiHistory::Join::Fetch)
        return QStringLiteral("Multi received from the TQ5");
    if (step.changes.size() != 1)
        return QStringLiteral("%1 changes").arg(step.changes.size());
    const MultiHistory::Change& change = step.changes.front();
    const MultiParam param = MultiParam::FromRow(change.param);
    const QStringList& names = *map_.Record(param).ValNames;
    auto text = [&](int value) { return names.value(value, QString::number(value)); };
    return QStringLiteral("%1 %2 -> %3")
        .arg(ParamName(param), text(change.before), text(change.after));
}

void EditPath::Undo() {
    Restore(history_.Undo(sound_.voice), Origin::Undo);
}

void EditPath::Redo() {
    Restore(history_.Redo(sound_.voice), Origin::Undo);
}

void EditPath::UndoMulti() {
    restoreMulti(multiHistory_.Undo(sound_.multi));
}

void EditPath::RedoMulti() {
    restoreMulti(multiHistory_.Redo(sound_.multi));
}

void EditPath::restoreMulti(const Multi& multi) {
    const Multi before = sound_.multi;
    sound_.multi = multi;
    recordMulti(before, Origin::Undo);
    for (int row = 0; row < MultiRowCount; ++row) {
        const MultiParam param = MultiParam::FromRow(row);
        if (before.Value(param) != multi.Value(param)) {
            display_.ShowMultiValue(param);
            SendMultiParameter(param);
        }
    }
}

void EditPath::BeginStep(const QString& label) {
    history_.BeginGroup(label);
}

void EditPath::EndStep() {
    history_.EndGroup();
}

void EditPath::BeginMultiStep(const QString& label) {
    multiHistory_.BeginGroup(label);
}

void EditPath::EndMultiStep() {
    multiHistory_.EndGroup();
}
