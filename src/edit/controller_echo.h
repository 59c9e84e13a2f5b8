#pragma once

#include "model/domain.h"

#include <array>

class EditorPorts;
class ParameterMap;
struct EditState;
struct EditedSound;

// Keeps the controller's LED rings and buttons on the editor's values: every change the controller
// did not make itself is sent back to it as a control change on its channel. Each row remembers
// the value last applied to it or told to the controller (its LastVal): a control change equal to
// it changes nothing.
class ControllerEcho {
public:
    ControllerEcho(EditorPorts& ports, const ParameterMap& map, const EditState& state,
                   const EditedSound& sound);

    void EchoCc(int cc, int value);
    // The row's current variant; nothing for an empty slot.
    void EchoRow(int row);
    // A row's value as the controller shows it on knob cc (a modulation group's record).
    void EchoValue(int cc, int value);

    int LastVal(int row) const { return lastVal_[std::size_t(row)]; }
    void SetLastVal(int row, int value) { lastVal_[std::size_t(row)] = value; }

private:
    EditorPorts& ports_;
    const ParameterMap& map_;
    const EditState& state_;
    const EditedSound& sound_;
    // The row remembers what the controller was last told, so that the controller can always
    // change it back (a value button set by a dump could otherwise never be clicked back).
    std::array<int, EditRowCount> lastVal_{};
};
