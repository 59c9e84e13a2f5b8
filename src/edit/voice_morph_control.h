#pragma once

#include "model/voice.h"

class AbCompare;
class EditPath;

// The morph from A (0 %) to B (100 %). The first movement takes the voice being edited as B; each
// movement sends only what changed, and the movements of one sweep are one step to undo. The voice
// the morph leaves can be kept, set as A or stored like any other.
class VoiceMorphControl {
public:
    VoiceMorphControl(EditPath& path, AbCompare& compare);

    void Move(int percent);
    // The morph is let go: its last voice stays, one step to undo.
    void Release();
    int Percent() const { return percent_; }

private:
    EditPath& path_;
    AbCompare& compare_;
    Voice from_;
    Voice to_;
    Voice left_; // the voice the last movement made
    bool moving_ = false;
    int percent_ = 100;
};
