#pragma once

#include "edit/change_origin.h"

#include <array>
#include <cstdint>
#include <functional>

class AbCompare;
class ControllerEcho;
class EditPath;
class EditorPorts;
class ModulationGroups;
class Operators;
class Randomiser;
class VoiceMorphControl;
class VoiceTransmission;
struct EditState;
struct PageControls;
struct TMyMidiEvent;

// Where a control change goes: from the controller, a screen knob, a value button or an operator
// button, ApplyControllerMessage takes the CC number as the row it edits, or as one of the
// controller's commands (voice request, randomise, next group, operator switches and select,
// undo, redo, compare, morph).
// The keyboard is passed through to the synth from here too.
class ControlRouter {
public:
    ControlRouter(EditPath& path, EditState& state, EditorPorts& ports,
                  const PageControls& controls, ControllerEcho& echo, Operators& operators,
                  ModulationGroups& groups, VoiceTransmission& voice, Randomiser& randomiser,
                  AbCompare& compare, VoiceMorphControl& morph);

    void Undo();
    void Redo();

    // The controller input's notice: drains its queue.
    void MidiBCtoPCMidiInput();
    // One event from the controller: shown, and applied. False for an event that ends a drain
    // (CC 49..95): what follows it waits for its own notice.
    bool HandleControllerEvent(const TMyMidiEvent& event);
    // The keyboard input's notice: passes every event on to the synth.
    void MidiKbdToPCMidiInput();
    void ApplyControllerMessage(int status, int cc, int value, Origin origin);
    // A row's value set on the screen: applied as the controller's would be, then echoed, so
    // that the controller follows the screen.
    void ScreenEdit(int row, int value);
    // Status (without channel), data 1 and data 2 of the last event from the controller.
    std::array<std::uint8_t, 3> LastControllerMessage() const { return lastControllerMessage_; }

    // Each of the keyboard's channel messages (status with its channel), after its thru, whether
    // or not a synth is chosen: what a player besides the synth hears.
    std::function<void(std::uint8_t status, std::uint8_t data1, std::uint8_t data2)>
        OnKeyboardMessage;

private:
    EditPath& path_;
    EditState& state_;
    EditorPorts& ports_;
    const PageControls& controls_;
    ControllerEcho& echo_;
    Operators& operators_;
    ModulationGroups& groups_;
    VoiceTransmission& voice_;
    Randomiser& randomiser_;
    AbCompare& compare_;
    VoiceMorphControl& morph_;
    std::array<std::uint8_t, 3> lastControllerMessage_{};
};
