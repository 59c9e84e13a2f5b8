#pragma once

#include "sim/custom_output.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

// One encoder or button as its definition in the controller's preset language makes it: its
// standard output (".easypar": one kind of MIDI message, whose echoes it also shows), its custom
// output (".tx" lines) and the value it holds.
struct ControllerElement {
    enum class Output {
        None,
        ControlChange,
        Nrpn,
        Note,
        ProgramChange,
        PitchBend,
        Aftertouch,
        GsXg,           // taken and kept, but nothing is sent for it
        MachineControl, // taken and kept, but nothing is sent for it
    };
    enum class Mode {
        Absolute,  // the value itself
        Relative1, // the step, in two's complement
        Relative2, // the step, 64 and up or down from it
        Relative3, // the step, a sign bit (64) and its size
        IncDec,    // NRPN data increment or decrement
        ToggleOn,  // a key: the first value and the second in turn, one a press
        ToggleOff, // a key: the first value while held, the second on release
        Increment, // a key: counts by the increment from the second value to the first
        Fixed,     // a program change key: its program on every press
    };
    // How a key without standard output sends its custom output (".mode").
    enum class Press { Down, UpDown, Toggle };
    static constexpr int Off = -1;     // a key's second value that sends nothing
    static constexpr int AllKeys = -1; // aftertouch of the channel rather than of one key

    bool defined = false; // has standard output
    Output output = Output::None;
    Mode mode = Mode::Absolute;
    bool wide = false; // 14-bit values: two controllers, two NRPN data bytes, pitch bend
    int channel = 1;   // 1..16
    int cc = 0;        // the controller, NRPN, note or aftertouch key
    int first = 0;     // an encoder's minimum; a key's first value ("on", or its program)
    int second = 0;    // an encoder's maximum; a key's second value ("off", where it starts)
    int increment = 0;
    int bankMsb = Off; // the bank a program change selects first, if any
    int bankLsb = Off;
    std::vector<CustomOutput> custom;
    Press press = Press::Down;
    QString ring = QStringLiteral("1dot"); // how an encoder's LED ring shows its value
    bool showValue = false;                // the display shows the value while it changes
    int value = 0;

    // An encoder's range, whichever way it counts.
    int low() const { return std::min(first, second); }
    int high() const { return std::max(first, second); }
    // A key is lit while its value is nearer its first value than its second; a program key
    // while its program is the one last sent or received on its channel.
    bool lit() const {
        if (mode == Mode::Fixed)
            return value == first;
        const int off = second == Off ? 0 : second;
        return std::abs(value - first) < std::abs(value - off);
    }
    bool relative() const {
        return mode == Mode::Relative1 || mode == Mode::Relative2 || mode == Mode::Relative3 ||
               mode == Mode::IncDec;
    }
    bool sends() const { return defined || !custom.empty(); }
    bool operator==(const ControllerElement&) const = default;
};

struct ControllerPreset {
    static constexpr int EncoderCount = 56;
    static constexpr int ButtonCount = 64;

    QString name;
    std::array<ControllerElement, EncoderCount> encoders{};
    std::array<ControllerElement, ButtonCount> buttons{};
    std::vector<CustomOutput> request; // the preset's own ".tx": what it asks a device for
    bool operator==(const ControllerPreset&) const = default;
};

// The set-up of the unit itself ("$global").
struct ControllerGlobal {
    QString midiMode = QStringLiteral("U-1");
    int deviceNumber = 0; // 0..15 (".deviceid" 1..16): the device number its answers carry
    int startup = 0;      // the preset chosen at power-on, 1..32, or 0 for the last one
    QString footswitch = QStringLiteral("auto");
    int receiveChannel = 0; // where program changes choose presets: 1..16, or 0 for none
};
