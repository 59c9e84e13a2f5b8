#pragma once

// The edit state that several parts of the engine share: which variant of a shared row is current,
// the page shown and the voice request the controller made. Each part is given this one struct;
// none keeps its own copy.
struct EditState {
    int SelectedOp = 0; // 0..3: the operator the per-operator knobs edit
    int ModGroup = 1;   // 0..3: aftertouch, mod wheel, breath, foot
    // The last voice request came from the controller (CC 20) or the multi's effect button.
    bool PatchRequestedByController = false;
    // The Multipart page is shown: dump requests ask for the multi, effect dumps go to the multi.
    bool MultiMode = false;
    // A message from the synth is being decoded (or its problems shown): requests wait, and so
    // does the synth's next message. Only the synth input sets it.
    bool DecodingSynthMessage = false;
};
