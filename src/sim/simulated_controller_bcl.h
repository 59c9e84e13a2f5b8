#pragma once

#include "model/bcl_sysex.h"

#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <optional>

// One encoder or button as its definition in the controller's preset language makes it.
struct ControllerElement {
    enum class Mode { Absolute, ToggleOn, ToggleOff, Increment };

    bool defined = false; // has an .easypar: sends control changes and shows the ones it gets
    Mode mode = Mode::Absolute;
    int channel = 1; // 1..16
    int cc = 0;
    int first = 0;  // an encoder's minimum; a key's first value ("on")
    int second = 0; // an encoder's maximum; a key's second value ("off", where it starts)
    int increment = 0;
    int value = 0;

    // An encoder's range, whichever way it counts.
    int low() const { return std::min(first, second); }
    int high() const { return std::max(first, second); }
    bool operator==(const ControllerElement&) const = default;
};

struct ControllerPreset {
    static constexpr int EncoderCount = 56;
    static constexpr int ButtonCount = 64;

    QString name;
    std::array<ControllerElement, EncoderCount> encoders{};
    std::array<ControllerElement, ButtonCount> buttons{};
    bool operator==(const ControllerPreset&) const = default;
};

// The controller's interpreter of its preset language ("BCL"): it takes one line at a time, as
// each arrives in its own message with its index, checks it as the BCR2000 does and applies it to
// the preset being edited. Blocks run from "$rev R1" (index 0) to "$end".
class BclInterpreter {
public:
    // The codes the controller answers a line with.
    using Error = Bcl::Error;
    using enum Bcl::Error;

    static constexpr int PresetCount = 32;

    // Interprets one line sent with this index and says how the controller answers it. A refused
    // line changes nothing but the expected index, which always follows the last line received.
    Error Line(int index, const QString& text);

    // The edit buffer: what the controller plays with now.
    ControllerPreset& Edit() { return edit_; }
    const ControllerPreset& Edit() const { return edit_; }
    // A preset stored by "$store N" (1..32), if any.
    const std::optional<ControllerPreset>& Stored(int number) const {
        return stored_[std::size_t(number - 1)];
    }
    // 0..15: set by ".deviceid" in the global section; the device number its answers carry.
    int DeviceNumber() const { return deviceNumber_; }

private:
    enum class Section { None, Global, Preset, Encoder, Button };

    Error revision(const QStringList& words);
    ControllerElement& element(Section section, int number);
    Error section(const QStringList& words);
    Error statement(const QStringList& words);

    bool blockOpen_ = false;
    int lastIndex_ = 0;
    Section section_ = Section::None;
    int element_ = 0; // the open encoder or button, 1-based
    int deviceNumber_ = 0;
    ControllerPreset edit_;
    std::array<std::optional<ControllerPreset>, PresetCount> stored_{};
};
