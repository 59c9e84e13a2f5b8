#include "edit/multi_page_handlers.h"

#include "edit/edit_state.h"
#include "edit/editor_ports.h"
#include "edit/voice_transmission.h"
#include "model/parameter_map.h"
#include "synth/parameter_change.h"
#include "views/knob_value.h"
#include "views/views.h"

namespace {
// A part's voice row (7, 18, ..., 84): its name label stays shown.
bool isPatchRow(int index) {
    return (index - MultiFieldCount) % PartFieldCount == int(PartField::Patch);
}
} // namespace

MultiPageHandlers::MultiPageHandlers(ParameterMap& map, EditState& state, EditorPorts& ports,
                                     Prompter& prompts, VoiceTransmission& voice)
    : map_(map), state_(state), ports_(ports), prompts_(prompts), voice_(voice) {}

void MultiPageHandlers::MKnobMouseDown(KnobValue*) {
    state_.ScreenEditArmed = true;
}

void MultiPageHandlers::MKnobKeyDown(KnobValue*) {
    state_.ScreenEditArmed = true;
}

int MultiPageHandlers::MultiRowOfKnob(const KnobValue* knob) const {
    if (!knob)
        return -1;
    for (int index = 0; index < MultiRowCount; ++index)
        if (map_.MultiRow(index)->Param->Knob == knob)
            return index;
    return -1;
}

int MultiPageHandlers::MultiRowOfButton(const CaptionView* button) const {
    if (!button)
        return -1;
    for (int index = 0; index < MultiRowCount; ++index)
        if (map_.MultiRow(index)->Param->ValueButton == button)
            return index;
    return -1;
}

void MultiPageHandlers::MKnobChange(KnobValue* sender) {
    if (!state_.ScreenEditArmed)
        return;
    state_.ScreenEditArmed = false;
    const int index = MultiRowOfKnob(sender);
    if (index < 0)
        return;
    TSyx_Param& record = *map_.MultiRow(index)->Param;
    SetValueChecked(prompts_, record, sender->Position());
    SendMultiParameter(record);
}

void MultiPageHandlers::MKnobMouseEnter(KnobValue* sender) {
    const int index = MultiRowOfKnob(sender);
    if (index < 0)
        return;
    if (CaptionView* label = map_.MultiRow(index)->Param->ValueLabel)
        label->SetVisible(true);
}

void MultiPageHandlers::MKnobMouseLeave(KnobValue* sender) {
    const int index = MultiRowOfKnob(sender);
    // The voice-name labels stay shown; the other value labels only while hovered.
    if (index < 0 || isPatchRow(index))
        return;
    if (CaptionView* label = map_.MultiRow(index)->Param->ValueLabel)
        label->SetVisible(false);
}

void MultiPageHandlers::SendMultiParameter(const TSyx_Param& record) {
    // Master tune travels in its own eight-byte form.
    if (&record == &map_.Multi().Field(MultiField::MasterTune))
        ports_.ToSynth(ParameterChange::MasterTune(SynthDeviceNumber, record.Val));
    else
        ports_.ToSynth(
            ParameterChange::Change(SynthDeviceNumber, record.Gp, record.Para, record.Val));
}

void MultiPageHandlers::tlmValClick(CaptionView* sender, bool backwards) {
    const int index = MultiRowOfButton(sender);
    if (index < 0)
        return;
    TSyx_Param& record = *map_.MultiRow(index)->Param;
    int value = record.Val + (backwards ? -1 : 1);
    if (value < 0)
        value = record.Max;
    if (value > record.Max)
        value = 0;
    SetValueChecked(prompts_, record, value);
    SendMultiParameter(record);

    TMulti& multi = map_.Multi();
    if (&record == &multi.Field(MultiField::FxType)) {
        state_.PatchRequestedByController = true;
        voice_.bGetPatchClick();
        return;
    }
    for (int part = 1; part <= PartCount; ++part) {
        TPart& p = multi.Part(part);
        if (&record == &p.Field(PartField::Bank)) {
            map_.RetargetPartVoices(part);
            TSyx_Param& patch = p.Field(PartField::Patch);
            SetValueChecked(prompts_, patch, patch.Val);
        } else if (&record == &p.Field(PartField::MaxNotes)) {
            applyNoteLimit(part);
        }
    }
}

void MultiPageHandlers::applyNoteLimit(int part) {
    TMulti& multi = map_.Multi();
    auto total = [&] {
        int sum = 0;
        for (int p = 1; p <= PartCount; ++p)
            sum += multi.Part(p).Field(PartField::MaxNotes).Val;
        return sum;
    };
    // Repeated until the parts fit: a backwards wrap to 8 can exceed the total by more than one.
    while (total() > MaxNotesTotal) {
        int largest = 1;
        for (int p = 1; p <= PartCount; ++p)
            if (multi.Part(p).Field(PartField::MaxNotes).Val >=
                multi.Part(largest).Field(PartField::MaxNotes).Val)
                largest = p;
        TSyx_Param& reduced = multi.Part(largest).Field(PartField::MaxNotes);
        SetValueChecked(prompts_, reduced, reduced.Val - 1);
        SendMultiParameter(reduced);
        SendMultiParameter(multi.Part(part).Field(PartField::MaxNotes));
    }
}
