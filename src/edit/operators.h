#pragma once

#include "edit/change_origin.h"

class ControllerEcho;
class EditPath;
class EditorPorts;
class VoiceDisplay;
struct EditState;
struct EditedSound;

// Switching operators on and off and selecting the one the shared per-operator knobs edit, with
// the operator panel's colours and labels and the controller's buttons following.
class Operators {
public:
    Operators(EditState& state, const EditedSound& sound, EditorPorts& ports, ControllerEcho& echo,
              EditPath& path, VoiceDisplay& display);

    // CC 96..99: switches operator cc - 96 on or off; the selected operator stays on.
    void OnOff(int cc, int value, Origin origin);
    // Whether a selection that changes nothing shows the operator again all the same.
    enum class Reshow { IfChanged, Always };
    // CC 100..103: switches operator cc - 100 on and selects it.
    void Select(int cc, Origin origin, Reshow reshow = Reshow::IfChanged);

    // Sends the on/off mask, relabels the panel and echoes the four switches.
    void SetOperatorMask(int mask);
    // Selects the operator unless it is selected already. After a file's voice the rows whose
    // last value was another operator's are sent to the synth again (sendRows).
    void SelectOperator(int op, bool sendRows = false);
    int Mask() const;

private:
    void showSelection(int op, bool sendRows);
    // Echoes the selection, redraws the operator's panel and shows its values on the shared knobs;
    // the controller hears every value.
    void showOperatorValues(int op, bool sendRows);

    EditState& state_;
    const EditedSound& sound_;
    EditorPorts& ports_;
    ControllerEcho& echo_;
    EditPath& path_;
    VoiceDisplay& display_;
};
