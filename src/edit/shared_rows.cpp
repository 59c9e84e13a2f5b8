#include "edit/shared_rows.h"

#include "edit/edit_state.h"
#include "model/parameter_map.h"
#include "views/knob_value.h"

void ShowCurrentVariants(ParameterMap& map, EditState& state, Prompter& prompts) {
    auto show = [&](int row) {
        const TSyx_Param* record = map.Row(row)->Current(state.SelectedOp, state.ModGroup);
        if (!record)
            return;
        if (record->Knob) {
            state.ScreenEditArmed = false;
            record->Knob->SetPosition(record->Val);
        }
        SetLabel(prompts, *record, record->Val);
    };
    for (int row = 0; row <= Rows::LastModulationRow; ++row)
        show(row);
    for (int row = Rows::FirstPerOperator; row <= Rows::LastPerOperator; ++row)
        show(row);
}
