#include "edit/modulation_groups.h"

#include "edit/controller_echo.h"
#include "edit/edit_state.h"
#include "edit/edited_sound.h"
#include "edit/page_controls.h"
#include "model/parameter_map.h"
#include "views/knob_value.h"
#include "views/views.h"

ModulationGroups::ModulationGroups(const ParameterMap& map, EditState& state,
                                   const EditedSound& sound, ControllerEcho& echo,
                                   const PageControls& controls)
    : map_(map), state_(state), sound_(sound), echo_(echo), controls_(controls) {}

void ModulationGroups::lModGroupClick() {
    state_.ModGroup = (state_.ModGroup + 1) % ModGroupCount;
    ShowModulationGroup();
}

void ModulationGroups::ShowModulationGroup() {
    const TMod& group = map_.Mod(state_.ModGroup);
    if (controls_.lMod1) {
        controls_.lMod1->SetCaption(group.Heading);
        controls_.lMod1->SetColor(group.HeadingColor);
        controls_.lMod1->SetFontColor(group.HeadingTextColor);
    }
    if (controls_.lMod2) {
        controls_.lMod2->SetCaption(group.Title);
        controls_.lMod2->SetColor(group.TitleColor);
        controls_.lMod2->SetFontColor(group.TitleTextColor);
    }
    if (controls_.lModGroup) {
        controls_.lModGroup->SetFontColor(group.HeadingTextColor);
        controls_.lModGroup->SetCaption(group.Caption);
    }
    for (CaptionView* label : controls_.modValueLabel)
        if (label)
            label->SetVisible(false);
    auto valueOf = [this](const TSyx_Param& record) {
        return sound_.voice.Value(VoiceParam::FromIndex(record.Index));
    };
    for (const TSyx_Param* record : group.Variant) {
        if (record && record->ValueLabel) {
            // A plain number, not the value's name, until the record is next edited.
            record->ValueLabel->SetCaption(QString::number(valueOf(*record)));
            record->ValueLabel->SetVisible(true);
        }
    }
    for (int k = 0; k < VariantSlotCount; ++k) {
        const TSyx_Param* record = group.Variant[k];
        if (!record)
            continue;
        if (record->Knob)
            record->Knob->SetPosition(valueOf(*record));
        echo_.EchoValue(k, valueOf(*record));
    }
}
