#pragma once

class Clock;
class ControllerEcho;
class EditPath;
class ModulationGroups;
class Operators;
class ParameterMap;
class RandomSource;
class Voice;
class VoiceDisplay;
struct PageControls;

// A new voice near the current one: every parameter of the patch rows moves by a random amount
// within a percentage of its range, the controller follows each knob, and the voice goes to the
// synth whole, with a random name. It works on a copy of the voice, which one change then puts in
// place; the selected operator and the modulation group are never borrowed.
class Randomiser {
public:
    Randomiser(const ParameterMap& map, EditPath& path, const ControllerEcho& echo,
               const Clock& clock, RandomSource& random, const PageControls& controls,
               VoiceDisplay& display, Operators& operators, ModulationGroups& groups);

    void Randomise();
    // The spread scroll bar's change notice: 1..100 percent.
    void sbRandChange(int position);
    int RandomPercent() const { return randomPercent_; }

private:
    // Rows outer, variants inner, as the controller's rings are set one after the other.
    Voice randomised();

    const ParameterMap& map_;
    EditPath& path_;
    const ControllerEcho& echo_;
    const Clock& clock_;
    RandomSource& random_;
    const PageControls& controls_;
    VoiceDisplay& display_;
    Operators& operators_;
    ModulationGroups& groups_;
    int randomPercent_ = 5;
};
