#include "edit/randomiser.h"

#include "edit/edit_state.h"
#include "edit/modulation_groups.h"
#include "edit/operators.h"
#include "edit/page_controls.h"
#include "edit/scope_exit.h"
#include "edit/shared_rows.h"
#include "edit/voice_transmission.h"
#include "model/operator_panel.h"
#include "model/parameter_map.h"
#include "views/knob_value.h"
#include "views/services.h"
#include "views/views.h"

namespace {
std::uint32_t seedFrom(const QTime& t) {
    return std::uint32_t(((t.hour() * 60 + t.minute()) * 60 + t.second()) * 1000 + t.msec());
}

// The random name: "Rand " and a number from 10000 up to, not including, 99999.
constexpr int FirstNameNumber = 10000;
constexpr int NameNumberEnd = 99999;
} // namespace

Randomiser::Randomiser(ParameterMap& map, EditState& state, Prompter& prompts, const Clock& clock,
                       RandomSource& random, const PageControls& controls, Operators& operators,
                       ModulationGroups& groups, VoiceTransmission& voice)
    : map_(map), state_(state), prompts_(prompts), clock_(clock), random_(random),
      controls_(controls), operators_(operators), groups_(groups), voice_(voice) {}

void Randomiser::Randomise() {
    if (controls_.lRandom)
        controls_.lRandom->SetColor(Colours::Red);
    random_.Seed(seedFrom(clock_.TimeOfDay()));
    const int savedSelectedOp = state_.SelectedOp;
    const int savedModGroup = state_.ModGroup;
    // Until operator 1 is selected at the end, a port error leaves the borrowed operator in
    // SelectedOp and the shared knobs on the last variant the loop set: the next edit would go to
    // another operator than the screen shows. Give both back.
    bool operatorSelected = false;
    ScopeExit restoreOnFailure([&] {
        if (operatorSelected)
            return;
        state_.SelectedOp = savedSelectedOp;
        state_.ModGroup = savedModGroup;
        ShowCurrentVariants(map_, state_, prompts_);
        for (int op = 0; op < OperatorCount; ++op)
            operators_.ShowOperatorState(op);
    });
    state_.Updating = true;
    {
        // The loop borrows SelectedOp and ModGroup to reach every variant; whatever happens,
        // the flags, the group and the label colour are given back.
        ScopeExit restore([this, savedModGroup] {
            state_.Updating = false;
            state_.ModGroup = savedModGroup;
            if (controls_.lRandom)
                controls_.lRandom->SetColor(Colours::White);
        });
        randomiseRows();
        if (controls_.gAlgorithm)
            controls_.gAlgorithm->SetState(map_.SingleRecord(Rows::Algorithm).Val);
    }
    for (int op = 0; op < OperatorCount; ++op) {
        operators_.ShowOperatorState(op);
        for (int row = OperatorPanelFirstRow; row <= OperatorPanelLastRow; ++row)
            UpdateOperatorGraph(map_.Op(op), row);
    }
    voice_.SendVoice();
    operators_.Select(Rows::FirstOpSelectCC);
    operatorSelected = true;
    if (controls_.eName)
        controls_.eName->SetText(
            QStringLiteral("Rand ") +
            QString::number(FirstNameNumber + random_.Random(NameNumberEnd - FirstNameNumber)));
    // The run leaves the shared knobs 0..3 on the last group it visited; show the current one.
    groups_.ShowModulationGroup();
}

void Randomiser::randomiseRows() {
    for (int row = 0; row < EditRowCount; ++row) {
        for (int slot = 0; slot < VariantSlotCount; ++slot) {
            state_.SelectedOp = slot;
            state_.ModGroup = slot;
            TSyx_Param* record = map_.Row(row)->Variant[slot];
            if (!record)
                continue;
            const int spread = record->Max * randomPercent_ / 100;
            const int lo = std::max(record->Val - spread, 0);
            const int hi = std::min(record->Val + spread, record->Max);
            const int r = lo + random_.Random(hi + 1 - lo);
            if (record->Knob) {
                state_.ScreenEditArmed = true;
                record->Knob->SetPosition(r);
            } else {
                SetValueChecked(prompts_, *record, r);
                // Not echoed, but the row remembers the value, as after an echo.
                map_.Row(row)->LastVal = r;
            }
        }
    }
}

void Randomiser::sbRandChange(int position) {
    if (controls_.lRandPercent)
        controls_.lRandPercent->SetCaption(QString::number(position));
    randomPercent_ = position;
}
