#include "model/operator_panel.h"

#include "model/parameter_records.h"
#include "model/voice.h"
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
void setDecay1Levels(TOp& op, const Voice& voice) {
    if (!op.EnvGraph)
        return;
    const Decay1Levels levels =
        decay1Levels(op.ShiftX, voice.Op(op.OpIndex, OpField::D1L), op.Field(OpField::D1L).Max);
    op.EnvGraph->SetValue(levels.level3, 5);
    op.EnvGraph->SetValue(levels.level2, 3);
}

void setGraph(TOp& op, const Voice& voice, OpField field, int index) {
    if (op.EnvGraph)
        op.EnvGraph->SetValue(voice.Op(op.OpIndex, field), index);
}
} // namespace

void UpdateOperatorGraph(TOp& op, const Voice& voice, int row) {
    switch (row) {
    case 38:
        if (op.WavePicture)
            op.WavePicture->SetState(voice.Op(op.OpIndex, OpField::Wave));
        break;
    case 39:
        if (op.OutBar)
            op.OutBar->SetPosition(voice.Op(op.OpIndex, OpField::Out));
        break;
    case 40:
        setGraph(op, voice, OpField::AR, 0);
        break;
    case 41:
        setGraph(op, voice, OpField::D1R, 2);
        break;
    case 42:
        setDecay1Levels(op, voice);
        break;
    case 43:
        setGraph(op, voice, OpField::D2R, 4);
        break;
    case 44:
        setGraph(op, voice, OpField::RR, 6);
        break;
    case 45:
        op.ShiftX = voice.Op(op.OpIndex, OpField::Shift) * 8;
        if (op.EnvGraph)
            op.EnvGraph->SetValue(op.ShiftX, 7);
        setDecay1Levels(op, voice);
        break;
    default:
        break;
    }
}
