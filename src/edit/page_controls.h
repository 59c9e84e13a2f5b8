#pragma once

#include "model/domain.h"

#include <array>

class CaptionView;
class ControlLookup;
class KnobValue;
class PictureView;
class TextEditView;
class ToggleView;

// The controls the editor's own operations address by name (records reach theirs through the
// parameter map). Null where the screen has none: the lookup keeps such names on record.
struct PageControls {
    CaptionView* lCtrlMsg = nullptr;
    CaptionView* lRandom = nullptr;
    CaptionView* lRandPercent = nullptr;
    CaptionView* lModGroup = nullptr;
    CaptionView* lMod1 = nullptr;
    CaptionView* lMod2 = nullptr;
    CaptionView* lCurrentPatch = nullptr;
    CaptionView* lCurrentMulti = nullptr;
    CaptionView* lMouseWheelSize = nullptr;
    CaptionView* bLoadBCR = nullptr;
    CaptionView* lRandomButton = nullptr; // lVal21
    PictureView* gAlgorithm = nullptr;
    TextEditView* eName = nullptr;
    ToggleView* cbEnvRev = nullptr;
    std::array<CaptionView*, OperatorCount> lOpSelect{};        // lOp1Select..lOp4Select
    std::array<CaptionView*, OperatorCount> pOp{};              // pOp1..pOp4
    std::array<CaptionView*, OperatorCount> opSelectButton{};   // lVal100..lVal103
    std::array<CaptionView*, VariantSlotCount> modValueLabel{}; // lVal0..lVal3
    std::array<KnobValue*, EditRowCount> Knob{};                // Knob0..Knob47, null for 8..23

    static PageControls Find(ControlLookup& lookup);
};
