#pragma once

#include "model/multi.h"
#include "model/voice.h"

#include <span>

class ParameterMap;
class Prompter;
struct EditState;
struct EditedSound;
struct PageControls;

// Shows the voice and the multi on the controls: the binder between the values and the knobs,
// labels, buttons, panels and pictures that show them. Rows 0..3 and 32..47 share their knobs and
// labels among the modulation groups and the operators: there only the current group's and the
// selected operator's values are shown, so the screen never shows another variant's value.
class VoiceDisplay {
public:
    VoiceDisplay(ParameterMap& map, const EditState& state, const EditedSound& sound,
                 Prompter& prompts, const PageControls& controls);

    // A value of the voice: its label or button, its knob where the knob shows it now (unless
    // moveKnob is false: the value did not change), the operator's panel and the algorithm
    // picture. A value without a name warns, as every label does.
    void ShowValue(VoiceParam param, bool moveKnob = true);
    // The values that differ from before, and the name.
    void ShowChanges(const Voice& before);
    // Every value, the panels and the name: the screen as start-up leaves it.
    void ShowVoice();
    // The shared knobs and labels of rows 0..3 and 32..47 on the current group and operator.
    void ShowCurrentVariants();
    // The operator's wave, output level and envelope graph.
    void ShowOperatorPanel(int op);
    // The operator's select label, panel, name label and graph coloured by whether it is on and
    // selected.
    void ShowOperatorState(int op);
    void ShowOperatorStates();
    // "Op2" for an operator that is on, "Op2-Off " for one that is off.
    void ShowOperatorLabels();
    void ShowName();

    // A value of the multi; a part's voice is named from the list of the part's bank.
    void ShowMultiValue(MultiParam param, bool moveKnob = true);
    // Those of the rows whose values differ from before, or all of them (the first multi the
    // editor sees sets every control).
    void ShowMultiChanges(const Multi& before, std::span<const int> rows, bool all);

private:
    bool onScreen(VoiceParam param) const;

    ParameterMap& map_;
    const EditState& state_;
    const EditedSound& sound_;
    Prompter& prompts_;
    const PageControls& controls_;
};
