#include "edit/patch_page_handlers.h"

#include "edit/control_router.h"
#include "edit/controller_echo.h"
#include "edit/edit_state.h"
#include "edit/edited_sound.h"
#include "edit/page_controls.h"
#include "model/parameter_map.h"
#include "views/knob_value.h"
#include "views/views.h"

namespace {
// The label a hover shows: the selected operator's record, or the row's only one.
CaptionView* hoverLabel(const ParameterMap& map, int row, int selectedOp) {
    const TCC_Param* r = map.Row(row);
    const TSyx_Param* record = r->Variant[selectedOp] ? r->Variant[selectedOp] : r->Variant[0];
    return record ? record->ValueLabel : nullptr;
}
} // namespace

PatchPageHandlers::PatchPageHandlers(const ParameterMap& map, const EditState& state,
                                     const EditedSound& sound, ControlRouter& router,
                                     ControllerEcho& echo, const PageControls& controls)
    : map_(map), state_(state), sound_(sound), router_(router), echo_(echo), controls_(controls) {}

void PatchPageHandlers::KnobChange(KnobValue* sender) {
    const int row = RowOfKnob(sender);
    if (row >= 0)
        router_.ScreenEdit(row, sender->Position());
}

int PatchPageHandlers::RowOfKnob(const KnobValue* knob) const {
    if (!knob)
        return -1;
    for (int row = 0; row < PatchRowCount; ++row) {
        const TCC_Param* r = map_.Row(row);
        if (r && r->Variant[0] && r->Variant[0]->Knob == knob)
            return r->CC;
    }
    return -1;
}

void PatchPageHandlers::KnobMouseEnter(KnobValue* sender) {
    const int row = RowOfKnob(sender);
    if (row < 0)
        return;
    if (CaptionView* label = hoverLabel(map_, row, state_.SelectedOp))
        label->SetVisible(true);
}

void PatchPageHandlers::KnobMouseLeave(KnobValue* sender) {
    const int row = RowOfKnob(sender);
    if (row < 0)
        return;
    if (CaptionView* label = hoverLabel(map_, row, state_.SelectedOp))
        label->SetVisible(false);
}

void PatchPageHandlers::wheelStep(KnobValue* knob, int& counter, int direction, bool shiftOrCtrl) {
    if (++counter < wheelDivider_)
        return;
    counter = 0;
    knob->UserStepPosition(direction * (shiftOrCtrl ? int(knob->PageSize) : 1));
}

void PatchPageHandlers::KnobMouseWheelUp(KnobValue* sender, bool shiftOrCtrl) {
    wheelStep(sender, wheelUpCount_, 1, shiftOrCtrl);
}

void PatchPageHandlers::KnobMouseWheelDown(KnobValue* sender, bool shiftOrCtrl) {
    wheelStep(sender, wheelDownCount_, -1, shiftOrCtrl);
}

bool PatchPageHandlers::lValMouseDown(MouseButton button, bool ctrl) {
    pressToggle_ = !pressToggle_;
    if (!pressToggle_)
        return false;
    backwards_ = ctrl || button == MouseButton::Right;
    return button == MouseButton::Right;
}

void PatchPageHandlers::lValClick(CaptionView* sender) {
    const Voice& voice = sound_.voice;
    for (int op = 0; op < OperatorCount; ++op) {
        const TSyx_Param& onOff = map_.OpSwitch(op);
        if (onOff.ValueButton != sender)
            continue;
        const VoiceParam param = VoiceParam::OpSwitch(op);
        router_.ApplyControllerMessage(MidiStatus::ControlChange, onOff.CC,
                                       voice.Value(param) == 0 ? 1 : 0, Origin::Screen);
        if (op != state_.SelectedOp)
            echo_.EchoCc(onOff.CC, voice.Value(param));
        return;
    }
    for (int row = 0; row < PatchRowCount; ++row) {
        const TCC_Param* r = map_.Row(row);
        const TSyx_Param* record = r ? r->Variant[0] : nullptr;
        if (!record || record->ValueButton != sender)
            continue;
        int value = voice.Value(VoiceParam::FromIndex(record->Index)) + (backwards_ ? -1 : 1);
        if (value < 0)
            value = record->Max;
        if (value > record->Max)
            value = 0;
        router_.ScreenEdit(row, value);
        return;
    }
}

void PatchPageHandlers::lOpClick(CaptionView* sender) {
    for (int op = 0; op < OperatorCount; ++op)
        if (controls_.opSelectButton[op] == sender)
            router_.ApplyControllerMessage(MidiStatus::ControlChange, Rows::FirstOpSelectCC + op, 1,
                                           Origin::Screen);
}
