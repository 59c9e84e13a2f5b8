#pragma once

class Voice;
struct TOp;

// The rows whose records an operator's panel draws: wave, output, the envelope rates and levels
// and the EG shift.
constexpr int OperatorPanelFirstRow = 38;
constexpr int OperatorPanelLastRow = 45;

// Refreshes the element of the operator's panel that belongs to the row (38..45) from the voice's
// values for that operator; other rows do nothing.
void UpdateOperatorGraph(TOp& op, const Voice& voice, int row);

// The envelope graph's levels 2 and 3 for a decay 1 level, above the shift offset.
struct Decay1Levels {
    int level2; // graph index 3
    int level3; // graph index 5
};
Decay1Levels decay1Levels(int shiftX, int level, int levelMax);
