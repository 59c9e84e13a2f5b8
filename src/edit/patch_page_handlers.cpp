#include "edit/patch_page_handlers.h"

#include "edit/controller_echo.h"
#include "edit/edit_path.h"
#include "edit/edit_state.h"
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

PatchPageHandlers::PatchPageHandlers(ParameterMap& map, EditState& state, EditPath& path,
                                     ControllerEcho& echo, const PageControls& controls)
    : map_(map), state_(state), path_(path), echo_(echo), controls_(controls) {}

void PatchPageHandlers::KnobMouseDown(KnobValue*) {
    state_.ScreenEditArmed = true;
}

void PatchPageHandlers::KnobKeyDown(KnobValue*) {
    state_.ScreenEditArmed = true;
}

void PatchPageHandlers::KnobMouseEnter(KnobValue* sender) {
    const int row = path_.RowOfKnob(sender);
    if (row < 0)
        return;
    if (CaptionView* label = hoverLabel(map_, row, state_.SelectedOp))
        label->SetVisible(true);
}

void PatchPageHandlers::KnobMouseLeave(KnobValue* sender) {
    const int row = path_.RowOfKnob(sender);
    if (row < 0)
        return;
    if (CaptionView* label = hoverLabel(map_, row, state_.SelectedOp))
        label->SetVisible(false);
}

void PatchPageHandlers::wheelStep(KnobValue* knob, int& counter, int direction, bool shiftOrCtrl) {
    // Every wheel event arms, also one the divider skips, so the next change notice passes.
    state_.ScreenEditArmed = true;
    if (++counter < wheelDivider_)
        return;
    counter = 0;
    knob->StepPosition(direction * (shiftOrCtrl ? int(knob->PageSize) : 1));
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
    for (int op = 0; op < OperatorCount; ++op) {
        const TSyx_Param& onOff = map_.OpSwitch(op);
        if (onOff.ValueButton != sender)
            continue;
        path_.ApplyControllerMessage(MidiStatus::ControlChange, onOff.CC, onOff.Val == 0 ? 1 : 0);
        if (op != state_.SelectedOp)
            echo_.EchoCc(onOff.CC, onOff.Val);
        return;
    }
    for (int row = 0; row < PatchRowCount; ++row) {
        const TCC_Param* r = map_.Row(row);
        const TSyx_Param* record = r ? r->Variant[0] : nullptr;
        if (!record || record->ValueButton != sender)
            continue;
        int value = record->Val + (backwards_ ? -1 : 1);
        if (value < 0)
            value = record->Max;
        if (value > record->Max)
            value = 0;
        path_.ApplyControllerMessage(MidiStatus::ControlChange, row, value);
        echo_.EchoRow(row);
        return;
    }
}

void PatchPageHandlers::lOpClick(CaptionView* sender) {
    for (int op = 0; op < OperatorCount; ++op)
        if (controls_.opSelectButton[op] == sender)
            path_.ApplyControllerMessage(MidiStatus::ControlChange, Rows::FirstOpSelectCC + op, 1);
}
