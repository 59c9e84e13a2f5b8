#pragma once

#include "synth/bulk_layout.h"

#include <QString>
#include <optional>
#include <span>
#include <vector>

// A bulk message read into values, with no control and no prompter: what it sets, and the bytes
// that were out of range (each stored as its parameter's maximum).
namespace Layouts {

struct DecodeProblem {
    Target target;
    int param;
    int value; // the byte as the message held it
    int dataByte;
};

struct DecodedMessage {
    const BulkLayout* layout = nullptr;
    std::vector<MessageByte> values; // in decode order, each within its range
    std::optional<QString> name;     // the voice block's
    std::vector<DecodeProblem> problems;
};

DecodedMessage DecodeMessage(const BulkLayout& layout, std::span<const std::uint8_t> message);

// Stores what a voice message (or a multi message) set.
void Apply(const DecodedMessage& decoded, Voice& voice);
void Apply(const DecodedMessage& decoded, Multi& multi);

// "Value too big CC:..." with the parameter's row (or "none" for a multi parameter), the value, the
// maximum, the group and the parameter number.
QString ProblemText(const DecodeProblem& problem);

} // namespace Layouts
