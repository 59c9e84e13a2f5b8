#pragma once

#include "model/bcl_sysex.h"
#include "sim/controller_element.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// The controller's interpreter of its preset language ("BCL"): it takes one line at a time, as
// each arrives in its own message with its index, checks it as the BCR2000 does and applies it to
// the preset being edited or to the global set-up. Blocks run from "$rev R1" (index 0) to "$end".
class BclInterpreter {
public:
    // The codes the controller answers a line with.
    using Error = Bcl::Error;
    using enum Bcl::Error;

    static constexpr int PresetCount = 32;

    using Global = ControllerGlobal;

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
    const Global& GlobalSetup() const { return global_; }
    int DeviceNumber() const { return global_.deviceNumber; }

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
    Global global_;
    ControllerPreset edit_;
    std::array<std::optional<ControllerPreset>, PresetCount> stored_{};
};
