#include "edit/editor.h"
#include "edit/scope_exit.h"
#include "model/operator_panel.h"
#include "views/knob_value.h"
#include "views/services.h"
#include "views/views.h"

namespace {
std::uint32_t seedFrom(const QTime& t) {
    return std::uint32_t(((t.hour() * 60 + t.minute()) * 60 + t.second()) * 1000 + t.msec());
}
} // namespace

void Editor::Randomise() {
    if (Controls.lRandom)
        Controls.lRandom->SetColor(Colours::Red);
    services_.random.Seed(seedFrom(services_.clock.TimeOfDay()));
    const int savedModGroup = ModGroup;
    Updating = true;
    {
        // The loop borrows SelectedOp and ModGroup to reach every variant; whatever happens,
        // the flags, the group and the label colour are given back.
        ScopeExit restore([this, savedModGroup] {
            Updating = false;
            ModGroup = savedModGroup;
            if (Controls.lRandom)
                Controls.lRandom->SetColor(Colours::White);
        });
        for (int row = 0; row < Slots::EditRowCount; ++row) {
            for (int slot = 0; slot < 4; ++slot) {
                SelectedOp = slot;
                ModGroup = slot;
                TSyx_Param* record = Map.Row(row)->Variant[slot];
                if (!record)
                    continue;
                const int spread = record->Max * RandomPercent / 100;
                const int lo = std::max(record->Val - spread, 0);
                const int hi = std::min(record->Val + spread, record->Max);
                const int r = lo + services_.random.Random(hi + 1 - lo);
                if (record->Knob) {
                    ScreenEditArmed = true;
                    record->Knob->SetPosition(r);
                } else {
                    SetValueChecked(services_.prompts, *record, r);
                    setRowLastVal(row, r);
                }
            }
        }
        if (Controls.gAlgorithm)
            Controls.gAlgorithm->SetState(Map.SingleRecord(Rows::Algorithm).Val);
    }
    for (int op = 0; op < 4; ++op) {
        ShowOperatorState(op);
        for (int row = OperatorPanelFirstRow; row <= OperatorPanelLastRow; ++row)
            UpdateOperatorGraph(Map.Op(op), row);
    }
    SendVoice();
    ApplyControllerMessage(0xB0, Rows::FirstOpSelectCC, 1);
    if (Controls.eName)
        Controls.eName->SetText(QStringLiteral("Rand ") +
                                QString::number(10000 + services_.random.Random(99999 - 10000)));
    // The run leaves the shared knobs 0..3 on the last group it visited; show the current one.
    ShowModulationGroup();
}

void Editor::lRandomClick() {
    Randomise();
}

void Editor::sbRandChange(int position) {
    if (Controls.lRandPercent)
        Controls.lRandPercent->SetCaption(QString::number(position));
    RandomPercent = position;
}
