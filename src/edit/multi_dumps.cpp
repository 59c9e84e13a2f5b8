#include "edit/editor.h"
#include "views/knob_value.h"

void Editor::DecodeMultiEffect(std::span<const std::uint8_t> message) {
    storeValues(Layouts::ReadRecords(Layouts::MultiEffect, Map, message), Refresh::WhenChanged);
}

void Editor::DecodeMultiBlock(std::span<const std::uint8_t> message) {
    // The first multi block sets every control, also those whose value stays 0.
    const Refresh refresh = FirstMultiDump ? Refresh::Always : Refresh::WhenChanged;
    TMulti& multi = Map.Multi();
    for (const Layouts::FieldValue& v : Layouts::ReadRecords(Layouts::MultiBlock, Map, message)) {
        SetValueChecked(services_.prompts, *v.record, v.value, refresh);
        // A part's voice is named from the bank it now uses, as the bank button does; the bank
        // byte comes before the voice number, so the voice is shown with the right list.
        for (int part = 1; part <= PartCount; ++part)
            if (v.record == &multi.Part(part).Field(PartField::Bank))
                retargetBank(part);
    }
    FirstMultiDump = false;
}

void Editor::retargetBank(int part) {
    TPart& p = Map.Multi().Part(part);
    const int bank = p.Field(PartField::Bank).Val;
    TSyx_Param& patch = p.Field(PartField::Patch);
    patch.ValNames = &Map.Lists.VoiceNames(bank);
    if (patch.Knob)
        patch.Knob->SetValStrList(Map.Lists.VoiceNumbers(bank));
}

void Editor::BuildMultiBlock() {
    Layouts::WriteMessage(Layouts::MultiBlock, Map, Data.MultiBuf);
}

void Editor::BuildMultiEffect() {
    Layouts::WriteMessage(Layouts::MultiEffect, Map, Data.MultiEffectBuf);
}
