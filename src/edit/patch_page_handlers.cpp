#include "edit/editor.h"
#include "views/knob_value.h"
#include "views/views.h"

void Editor::KnobMouseDown(KnobValue*) {
    ScreenEditArmed = true;
}

void Editor::KnobKeyDown(KnobValue*) {
    ScreenEditArmed = true;
}

namespace {
CaptionView* hoverLabel(const ParameterMap& map, int row, int selectedOp) {
    const TCC_Param* r = map.Row(row);
    const TSyx_Param* record = r->Variant[selectedOp] ? r->Variant[selectedOp] : r->Variant[0];
    return record ? record->ValueLabel : nullptr;
}
} // namespace

void Editor::KnobMouseEnter(KnobValue* sender) {
    const int row = RowOfKnob(sender);
    if (row < 0)
        return;
    if (CaptionView* label = hoverLabel(Map, row, SelectedOp))
        label->SetVisible(true);
}

void Editor::KnobMouseLeave(KnobValue* sender) {
    const int row = RowOfKnob(sender);
    if (row < 0)
        return;
    if (CaptionView* label = hoverLabel(Map, row, SelectedOp))
        label->SetVisible(false);
}

void Editor::wheelStep(KnobValue* knob, int& counter, int direction, bool shiftOrCtrl) {
    // Every wheel event arms, also one the divider skips, so the next change notice passes.
    ScreenEditArmed = true;
    if (++counter < WheelDivider)
        return;
    counter = 0;
    knob->SetPosition(knob->Position() + direction * (shiftOrCtrl ? int(knob->PageSize) : 1));
}

void Editor::KnobMouseWheelUp(KnobValue* sender, bool shiftOrCtrl) {
    wheelStep(sender, WheelUpCount, 1, shiftOrCtrl);
}

void Editor::KnobMouseWheelDown(KnobValue* sender, bool shiftOrCtrl) {
    wheelStep(sender, WheelDownCount, -1, shiftOrCtrl);
}

void Editor::lValMouseDown(CaptionView* sender, MouseButton button, bool ctrl) {
    // The value button reports every press twice; only the first report counts.
    PressToggle = !PressToggle;
    if (!PressToggle)
        return;
    Backwards = ctrl;
    if (button != MouseButton::Right)
        return;
    Backwards = true;
    // The press runs the button's own click handler.
    if (sender == Controls.lRandomButton)
        lRandomClick();
    else if (multiRowOfButton(sender) >= 0)
        tlmValClick(sender);
    else
        lValClick(sender);
}

void Editor::lValClick(CaptionView* sender) {
    for (int op = 0; op < 4; ++op) {
        TSyx_Param& onOff = Map.OpSwitch(op);
        if (onOff.ValueButton != sender)
            continue;
        ApplyControllerMessage(0xB0, onOff.CC, onOff.Val == 0 ? 1 : 0);
        if (op != SelectedOp)
            EchoCc(onOff.CC, onOff.Val);
        return;
    }
    for (int row = 0; row < Slots::PatchRowCount; ++row) {
        const TCC_Param* r = Map.Row(row);
        TSyx_Param* record = r ? r->Variant[0] : nullptr;
        if (!record || record->ValueButton != sender)
            continue;
        int value = record->Val + (Backwards ? -1 : 1);
        if (value < 0)
            value = record->Max;
        if (value > record->Max)
            value = 0;
        ApplyControllerMessage(0xB0, row, value);
        EchoRow(row);
        return;
    }
}

void Editor::lOpClick(CaptionView* sender) {
    for (int op = 0; op < 4; ++op)
        if (Controls.opSelectButton[op] == sender)
            ApplyControllerMessage(0xB0, Rows::FirstOpSelectCC + op, 1);
}
