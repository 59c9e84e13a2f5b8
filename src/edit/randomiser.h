#pragma once

class Clock;
class ModulationGroups;
class Operators;
class ParameterMap;
class Prompter;
class RandomSource;
class VoiceTransmission;
struct EditState;
struct PageControls;

// A new voice near the current one: every record of the patch rows moves by a random amount within
// a percentage of its range, the controller follows each knob, and the voice goes to the synth
// whole, with a random name.
class Randomiser {
public:
    Randomiser(ParameterMap& map, EditState& state, Prompter& prompts, const Clock& clock,
               RandomSource& random, const PageControls& controls, Operators& operators,
               ModulationGroups& groups, VoiceTransmission& voice);

    void Randomise();
    // The spread scroll bar's change notice: 1..100 percent.
    void sbRandChange(int position);
    int RandomPercent() const { return randomPercent_; }

private:
    // Rows outer, slots inner: each record of rows 0..47 moves within the spread.
    void randomiseRows();

    ParameterMap& map_;
    EditState& state_;
    Prompter& prompts_;
    const Clock& clock_;
    RandomSource& random_;
    const PageControls& controls_;
    Operators& operators_;
    ModulationGroups& groups_;
    VoiceTransmission& voice_;
    int randomPercent_ = 5;
};
