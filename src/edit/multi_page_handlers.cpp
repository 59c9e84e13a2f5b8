#include "edit/multi_page_handlers.h"

#include "edit/edit_path.h"
#include "edit/edit_state.h"
#include "edit/voice_display.h"
#include "edit/voice_transmission.h"
#include "model/parameter_map.h"
#include "views/knob_value.h"
#include "views/views.h"

namespace {
// A part's voice row (7, 18, ..., 84): its name label stays shown.
bool isPatchRow(int index) {
    return (index - MultiFieldCount) % PartFieldCount == int(PartField::Patch);
}
} // namespace

MultiPageHandlers::MultiPageHandlers(const ParameterMap& map, EditState& state, EditPath& path,
                                     VoiceDisplay& display, VoiceTransmission& voice)
    : map_(map), state_(state), path_(path), display_(display), voice_(voice) {}

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
    const int index = MultiRowOfKnob(sender);
    if (index >= 0)
        path_.SetMulti(MultiParam::FromRow(index), sender->Position(), Origin::Screen);
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

void MultiPageHandlers::tlmValClick(CaptionView* sender, bool backwards) {
    const int index = MultiRowOfButton(sender);
    if (index < 0)
        return;
    const MultiParam param = MultiParam::FromRow(index);
    const int max = map_.Record(param).Max;
    int value = path_.CurrentMulti().Value(param) + (backwards ? -1 : 1);
    if (value < 0)
        value = max;
    if (value > max)
        value = 0;
    path_.SetMulti(param, value, Origin::Screen);

    if (param == MultiParam::Global(MultiField::FxType)) {
        state_.PatchRequestedByController = true;
        voice_.bGetPatchClick();
        return;
    }
    const int part = param.PartNumber();
    if (part == 0)
        return;
    if (param.Field() == PartField::Bank)
        display_.ShowMultiValue(MultiParam::Part(part, PartField::Patch), false);
    else if (param.Field() == PartField::MaxNotes)
        applyNoteLimit(part);
}

void MultiPageHandlers::applyNoteLimit(int part) {
    auto notes = [this](int p) { return path_.CurrentMulti().Part(p, PartField::MaxNotes); };
    auto total = [&] {
        int sum = 0;
        for (int p = 1; p <= PartCount; ++p)
            sum += notes(p);
        return sum;
    };
    // Repeated until the parts fit: a backwards wrap to 8 can exceed the total by more than one.
    while (total() > MaxNotesTotal) {
        int largest = 1;
        for (int p = 1; p <= PartCount; ++p)
            if (notes(p) >= notes(largest))
                largest = p;
        path_.SetMulti(MultiParam::Part(largest, PartField::MaxNotes), notes(largest) - 1,
                       Origin::Screen);
        path_.SendMultiParameter(MultiParam::Part(part, PartField::MaxNotes));
    }
}
