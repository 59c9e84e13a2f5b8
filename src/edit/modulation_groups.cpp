#include "edit/editor.h"
#include "views/knob_value.h"
#include "views/views.h"

void Editor::lModGroupClick() {
    ModGroup = ModGroup == 3 ? 0 : ModGroup + 1;
    ShowModulationGroup();
}

void Editor::ShowModulationGroup() {
    const TMod& group = Map.Mod(ModGroup);
    if (Controls.lMod1) {
        Controls.lMod1->SetCaption(group.Heading);
        Controls.lMod1->SetColor(group.HeadingColor);
        Controls.lMod1->SetFontColor(group.HeadingTextColor);
    }
    if (Controls.lMod2) {
        Controls.lMod2->SetCaption(group.Title);
        Controls.lMod2->SetColor(group.TitleColor);
        Controls.lMod2->SetFontColor(group.TitleTextColor);
    }
    if (Controls.lModGroup) {
        Controls.lModGroup->SetFontColor(group.HeadingTextColor);
        Controls.lModGroup->SetCaption(group.Caption);
    }
    for (CaptionView* label : Controls.modValueLabel)
        if (label)
            label->SetVisible(false);
    for (const TSyx_Param* record : group.Variant) {
        if (record && record->ValueLabel) {
            // A plain number, not the value's name, until the record is next edited.
            record->ValueLabel->SetCaption(QString::number(record->Val));
            record->ValueLabel->SetVisible(true);
        }
    }
    for (int k = 0; k < 4; ++k) {
        const TSyx_Param* record = group.Variant[k];
        if (!record)
            continue;
        if (record->Knob)
            record->Knob->SetPosition(record->Val);
        EchoRecord(*record, k);
    }
}
