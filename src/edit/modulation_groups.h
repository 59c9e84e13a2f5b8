#pragma once

class ControllerEcho;
class ParameterMap;
struct EditState;
struct EditedSound;
struct PageControls;

// The four modulation sources share knobs 0..3: stepping to the next source re-labels and
// re-colours the section, moves the knobs to the source's values and echoes them.
class ModulationGroups {
public:
    ModulationGroups(const ParameterMap& map, EditState& state, const EditedSound& sound,
                     ControllerEcho& echo, const PageControls& controls);

    // The button lModGroup and CC 48: the next group, after foot aftertouch again.
    void lModGroupClick();
    void ShowModulationGroup();

private:
    const ParameterMap& map_;
    EditState& state_;
    const EditedSound& sound_;
    ControllerEcho& echo_;
    const PageControls& controls_;
};
