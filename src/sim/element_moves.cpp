#include "sim/element_moves.h"

#include "midi/midi_service.h"
#include "midi/midi_stream_parser.h"
#include "sim/standard_messages.h"

namespace ElementMoves {
namespace {

using Mode = ControllerElement::Mode;
using Press = ControllerElement::Press;

int shortLength(std::uint8_t status) {
    if (status < 0xF0)
        return (status & 0xE0) == 0xC0 ? 2 : 3;
    if (status == 0xF1 || status == 0xF3)
        return 2;
    return status == 0xF2 ? 3 : 1;
}

// Collects what the framing rules make of a stream of bytes.
class Messages final : public MidiInputSink {
public:
    void ShortMessage(std::uint32_t packed, std::uint32_t) override {
        Message message{std::uint8_t(packed), std::uint8_t(packed >> 8),
                        std::uint8_t(packed >> 16)};
        message.resize(std::size_t(shortLength(message[0])));
        all.push_back(message);
    }
    void LongData(const std::uint8_t* bytes, std::size_t count, std::uint32_t) override {
        sysex.insert(sysex.end(), bytes, bytes + count);
    }
    void LongEnd(std::uint32_t) override {
        all.push_back(sysex);
        sysex.clear();
    }
    void LongAbort() override { sysex.clear(); }

    std::vector<Message> all;
    Message sysex;
};

// The element's custom output for its value after a move of so many steps.
void appendCustom(const ControllerElement& e, int steps, std::vector<Message>& sent) {
    std::vector<std::uint8_t> bytes;
    for (const CustomOutput& line : e.custom)
        AppendCustomOutput(line, e.value, steps, bytes);
    if (bytes.empty())
        return;
    Messages messages;
    MidiStreamParser parser;
    parser.Feed(bytes.data(), bytes.size(), 0, messages);
    sent.insert(sent.end(), messages.all.begin(), messages.all.end());
}

// The key takes this value and sends it, up when it is switched on or counts up.
std::vector<Message> become(ControllerElement& key, int value, bool up) {
    std::vector<Message> sent =
        key.defined ? StandardMessages::ForValue(key, value) : std::vector<Message>{};
    key.value = value == ControllerElement::Off ? 0 : value;
    appendCustom(key, up ? 1 : -1, sent);
    return sent;
}

// Counts from the second value towards the first by the increment, then starts again. With the
// first value below the second it stays at one of them, as the unit does.
int incremented(const ControllerElement& key) {
    const int second = key.second == ControllerElement::Off ? 0 : key.second;
    const bool up = key.increment >= 0;
    const int next = key.value + key.increment;
    const bool beyond = up ? next > key.first : next < second;
    return beyond ? (up ? second : key.first) : next;
}

} // namespace

std::vector<Message> Turn(ControllerElement& e, bool clockwise) {
    if (!e.sends())
        return {};
    const int step = clockwise == (e.first <= e.second) ? 1 : -1;
    const int next = std::clamp(e.value + step, e.low(), e.high());
    std::vector<Message> sent;
    if (e.defined && e.relative()) {
        sent = StandardMessages::ForSteps(e, step);
    } else {
        if (next == e.value)
            return {};
        if (e.defined)
            sent = StandardMessages::ForValue(e, next);
    }
    e.value = next;
    appendCustom(e, step, sent);
    return sent;
}

std::vector<Message> Press(ControllerElement& key) {
    if (!key.sends())
        return {};
    if (!key.defined) {
        const bool on = key.press != Press::Toggle || !key.lit();
        return become(key, on ? key.first : key.second, on);
    }
    switch (key.mode) {
    case Mode::ToggleOn:
        return key.lit() ? become(key, key.second, false) : become(key, key.first, true);
    case Mode::Increment: {
        const int next = incremented(key);
        return become(key, next, next >= key.value);
    }
    default: // toggleoff, and a program key
        return become(key, key.first, true);
    }
}

std::vector<Message> Release(ControllerElement& key) {
    const bool momentary = key.defined ? key.mode == Mode::ToggleOff
                                       : !key.custom.empty() && key.press == Press::UpDown;
    return momentary ? become(key, key.second, false) : std::vector<Message>{};
}

} // namespace ElementMoves
