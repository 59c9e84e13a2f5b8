#pragma once

// The edit state that several parts of the engine share: which variant of a shared row is current,
// and the flags that hold back or admit edits. Each part is given this one struct; none keeps its
// own copy.
struct EditState {
    int SelectedOp = 0; // 0..3: the operator the per-operator knobs edit
    int ModGroup = 1;   // 0..3: aftertouch, mod wheel, breath, foot
    // A bulk update runs: single parameter changes, name changes and dump requests are held back.
    bool Updating = false;
    // One user action on a screen knob admits one change into the edit path.
    bool ScreenEditArmed = false;
    // The last voice request came from the controller (CC 20) or the multi's effect button.
    bool PatchRequestedByController = false;
    // The Multipart page is shown: dump requests ask for the multi, effect dumps go to the multi.
    bool MultiMode = false;
};
