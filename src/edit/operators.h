#pragma once

class ControllerEcho;
class EditorPorts;
class ParameterMap;
class Prompter;
struct EditState;
struct PageControls;

// Switching operators on and off and selecting the one the shared per-operator knobs edit, with
// the operator panel's colours and labels and the controller's buttons following.
class Operators {
public:
    Operators(ParameterMap& map, EditState& state, EditorPorts& ports, ControllerEcho& echo,
              Prompter& prompts, const PageControls& controls);

    // CC 96..99: switches operator cc - 96 on or off; the selected operator stays on.
    void OnOff(int cc, int value);
    // CC 100..103: switches operator cc - 100 on and selects it.
    void Select(int cc);

    // Colours the operator's select label, panel, name label and graph by its state.
    void ShowOperatorState(int op);
    // Sends the on/off mask, relabels the panel and echoes the four switches.
    void SetOperatorMask(int mask);
    void SelectOperator(int op);
    // Echoes the selection, redraws the operator's panel and sets the per-operator knobs to its
    // values through the edit path, so the controller follows every value.
    void ShowOperatorValues(int op);
    // The mask of the four switch records: operator 1 is bit 3, operator 4 bit 0.
    int Mask() const;

private:
    ParameterMap& map_;
    EditState& state_;
    EditorPorts& ports_;
    ControllerEcho& echo_;
    Prompter& prompts_;
    const PageControls& controls_;
};
