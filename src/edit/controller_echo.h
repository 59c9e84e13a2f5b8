#pragma once

class EditorPorts;
class ParameterMap;
struct EditState;
struct TSyx_Param;

// Keeps the controller's LED rings and buttons on the editor's values: every change the controller
// did not make itself is sent back to it as a control change on its channel.
class ControllerEcho {
public:
    ControllerEcho(EditorPorts& ports, ParameterMap& map, const EditState& state);

    void EchoCc(int cc, int value);
    // The row's current variant; nothing for an empty slot.
    void EchoRow(int row);
    void EchoRecord(const TSyx_Param& record, int cc);

private:
    // The row remembers what the controller was last told, so that the controller can always
    // change it back (a value button set by a dump could otherwise never be clicked back).
    void setRowLastVal(int row, int value);

    EditorPorts& ports_;
    ParameterMap& map_;
    const EditState& state_;
};
