#include "edit/editor.h"
#include "synth/parameter_change.h"
#include "views/knob_value.h"
#include "views/views.h"

namespace {
constexpr int MaxNotesTotal = 8;

bool isPatchRow(int index) {
    return (index + 4) % 11 == 0;
}
} // namespace

void Editor::MKnobMouseDown(KnobValue*) {
    ScreenEditArmed = true;
}

void Editor::MKnobKeyDown(KnobValue*) {
    ScreenEditArmed = true;
}

int Editor::MultiRowOfKnob(const KnobValue* knob) const {
    if (!knob)
        return -1;
    for (int index = 0; index < Slots::MultiRowCount; ++index)
        if (Map.MultiRow(index)->Param->Knob == knob)
            return index;
    return -1;
}

int Editor::multiRowOfButton(const CaptionView* button) const {
    if (!button)
        return -1;
    for (int index = 0; index < Slots::MultiRowCount; ++index)
        if (Map.MultiRow(index)->Param->ValueButton == button)
            return index;
    return -1;
}

void Editor::MKnobChange(KnobValue* sender) {
    if (!ScreenEditArmed)
        return;
    ScreenEditArmed = false;
    const int index = MultiRowOfKnob(sender);
    if (index < 0)
        return;
    TSyx_Param& record = *Map.MultiRow(index)->Param;
    SetValueChecked(services_.prompts, record, sender->Position());
    SendMultiParameter(record);
}

void Editor::MKnobMouseEnter(KnobValue* sender) {
    const int index = MultiRowOfKnob(sender);
    if (index < 0)
        return;
    if (CaptionView* label = Map.MultiRow(index)->Param->ValueLabel)
        label->SetVisible(true);
}

void Editor::MKnobMouseLeave(KnobValue* sender) {
    const int index = MultiRowOfKnob(sender);
    // The voice-name labels stay shown; the other value labels only while hovered.
    if (index < 0 || isPatchRow(index))
        return;
    if (CaptionView* label = Map.MultiRow(index)->Param->ValueLabel)
        label->SetVisible(false);
}

void Editor::SendMultiParameter(const TSyx_Param& record) {
    // Master tune travels in its own eight-byte form.
    if (&record == &Map.Multi().Field(MultiField::MasterTune)) {
        const auto message = ParameterChange::MasterTune(SynthDevice, record.Val);
        putToSynth(message.data(), int(message.size()));
    } else {
        const auto message =
            ParameterChange::Change(SynthDevice, record.Gp, record.Para, record.Val);
        putToSynth(message.data(), int(message.size()));
    }
}

void Editor::tlmValClick(CaptionView* sender) {
    const int index = multiRowOfButton(sender);
    if (index < 0)
        return;
    TSyx_Param& record = *Map.MultiRow(index)->Param;
    int value = record.Val + (Backwards ? -1 : 1);
    if (value < 0)
        value = record.Max;
    if (value > record.Max)
        value = 0;
    SetValueChecked(services_.prompts, record, value);
    SendMultiParameter(record);

    TMulti& multi = Map.Multi();
    if (&record == &multi.Field(MultiField::FxType)) {
        PatchRequestedByController = true;
        bGetPatchClick();
        return;
    }
    for (int part = 1; part <= PartCount; ++part) {
        TPart& p = multi.Part(part);
        if (&record == &p.Field(PartField::Bank)) {
            retargetBank(part);
            TSyx_Param& patch = p.Field(PartField::Patch);
            SetValueChecked(services_.prompts, patch, patch.Val);
        } else if (&record == &p.Field(PartField::MaxNotes)) {
            applyNoteLimit(part);
        }
    }
}

void Editor::applyNoteLimit(int part) {
    TMulti& multi = Map.Multi();
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
        SetValueChecked(services_.prompts, reduced, reduced.Val - 1);
        SendMultiParameter(reduced);
        SendMultiParameter(multi.Part(part).Field(PartField::MaxNotes));
    }
}

void Editor::pcModeChange(Page activePage) {
    auto send = [this](int para, int value) {
        const auto message = ParameterChange::Change(SynthDevice, 0x24, para, value);
        putToSynth(message.data(), int(message.size()));
    };
    send(0x7A, 0);
    if (activePage == Page::Multipart) {
        MultiMode = true;
        send(0x78, 0x7F);
        send(0x6D, 0x7F);
    } else {
        MultiMode = false;
        send(0x7A, 0x7F);
    }
    bGetPatchClick();
}
