#include "model/operator_panel.h"

#include "model/parameter_records.h"
#include "views/views.h"

#include <cmath>

Decay1Levels decay1Levels(int shiftX, int level, int levelMax) {
    // k is single precision on purpose: with shift 0 and level 15 the products fall just below
    // 31 and 15.5 and truncate to 30 and 15, which is how the panel has always drawn them.
    const float k = float(31 - shiftX) / float(levelMax);
    const double span = double(level) * double(k);
    return {shiftX + int(std::trunc(span)), shiftX + int(std::trunc(span * 0.5))};
}

namespace {
void setDecay1Levels(TOp& op) {
    if (!op.EnvGraph)
        return;
    const TSyx_Param& d1l = op.Field(OpField::D1L);
    const Decay1Levels levels = decay1Levels(op.ShiftX, d1l.Val, d1l.Max);
    op.EnvGraph->SetValue(levels.level3, 5);
    op.EnvGraph->SetValue(levels.level2, 3);
}

void setGraph(TOp& op, OpField field, int index) {
    if (op.EnvGraph)
        op.EnvGraph->SetValue(op.Field(field).Val, index);
}
} // namespace

void UpdateOperatorGraph(TOp& op, int row) {
    switch (row) {
    case 38:
        if (op.WavePicture)
            op.WavePicture->SetState(op.Field(OpField::Wave).Val);
        break;
    case 39:
        if (op.OutBar)
            op.OutBar->SetPosition(op.Field(OpField::Out).Val);
        break;
    case 40:
        setGraph(op, OpField::AR, 0);
        break;
    case 41:
        setGraph(op, OpField::D1R, 2);
        break;
    case 42:
        setDecay1Levels(op);
        break;
    case 43:
        setGraph(op, OpField::D2R, 4);
        break;
    case 44:
        setGraph(op, OpField::RR, 6);
        break;
    case 45:
        op.ShiftX = op.Field(OpField::Shift).Val * 8;
        if (op.EnvGraph)
            op.EnvGraph->SetValue(op.ShiftX, 7);
        setDecay1Levels(op);
        break;
    default:
        break;
    }
}
