#pragma once

#include <array>
#include <cstdint>

class ControllerEcho;
class EditorPorts;
struct TMyMidiEvent;
class KnobValue;
class ModulationGroups;
class Operators;
class ParameterMap;
class Prompter;
class Randomiser;
class VoiceTransmission;
struct EditState;
struct PageControls;

// The one path every voice edit travels: a control change from the controller, a screen knob, a
// value button or an operator button becomes ApplyControllerMessage, which stores the value in the
// row's current record and sends the synth the parameter change. The controller's special CCs
// (voice request, randomise, next group, operator switches and select) are routed from here too,
// and the keyboard is passed through to the synth.
class EditPath {
public:
    EditPath(ParameterMap& map, EditState& state, EditorPorts& ports, Prompter& prompts,
             const PageControls& controls, ControllerEcho& echo, Operators& operators,
             ModulationGroups& groups, VoiceTransmission& voice, Randomiser& randomiser);

    // The controller input's notice: drains its queue.
    void MidiBCtoPCMidiInput();
    // One event from the controller: shown, and applied. False for an event that ends a drain
    // (CC 49..95): what follows it waits for its own notice.
    bool HandleControllerEvent(const TMyMidiEvent& event);
    // The keyboard input's notice: passes every event on to the synth.
    void MidiKbdToPCMidiInput();
    void ApplyControllerMessage(int status, int cc, int value);
    void SendParameter(int row);
    // A patch-page knob's change notice: acts once after a user action armed it.
    void KnobChange(KnobValue* sender);
    // The row whose first variant has this knob, or -1.
    int RowOfKnob(const KnobValue* knob) const;
    // Status (without channel), data 1 and data 2 of the last event from the controller.
    std::array<std::uint8_t, 3> LastControllerMessage() const { return lastControllerMessage_; }

private:
    void applyToRow(int row, int value);

    ParameterMap& map_;
    EditState& state_;
    EditorPorts& ports_;
    Prompter& prompts_;
    const PageControls& controls_;
    ControllerEcho& echo_;
    Operators& operators_;
    ModulationGroups& groups_;
    VoiceTransmission& voice_;
    Randomiser& randomiser_;
    std::array<std::uint8_t, 3> lastControllerMessage_{};
};
