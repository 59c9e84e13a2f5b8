#pragma once

#include "synth/sysex_formats.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// A synth of our own that keeps to the editor's protocol, so the editor can be tried and tested
// without the instrument. It holds a current voice and a current multi, applies the parameter
// changes it is sent, answers both dump requests, stores the bulk messages it is sent and can
// switch to a voice of its library, which it announces with a program change as the instrument
// does when a voice is chosen on its panel. Anything that is not one of these messages, or is
// malformed, is ignored. Not thread-safe: callers serialise.
class SimulatedSynth {
public:
    using Message = std::vector<std::uint8_t>;

    // The data bytes of the four voice messages and the two multi messages.
    struct Voice {
        std::array<std::uint8_t, Sysex::VoiceBlockFormat.dataCount> Block{};
        std::array<std::uint8_t, Sysex::AddVoiceFormat.dataCount> AddVoice{};
        std::array<std::uint8_t, Sysex::AftertouchFormat.dataCount> Aftertouch{};
        std::array<std::uint8_t, Sysex::EffectFormat.dataCount> Effect{};
        bool operator==(const Voice&) const = default;
    };
    struct Multi {
        std::array<std::uint8_t, Sysex::MultiBlockFormat.dataCount> Block{};
        std::array<std::uint8_t, Sysex::EffectFormat.dataCount> Effect{};
        bool operator==(const Multi&) const = default;
    };

    // What one message did: the messages sent in reply, and a line for a log.
    struct Outcome {
        std::vector<Message> Replies;
        QString Change;
    };

    static constexpr int Device = 0;

    // Starts with the first voice of the library and an all-zero multi.
    SimulatedSynth();

    Outcome Receive(std::span<const std::uint8_t> message);

    // Voice block, additional voice, aftertouch and effect message, device byte 00.
    std::vector<Message> VoiceDump() const;
    // Multi block and the multi's effect message.
    std::vector<Message> MultiDump() const;

    const Voice& CurrentVoice() const { return voice_; }
    const Multi& CurrentMulti() const { return multi_; }
    void SetVoice(const Voice& voice) { voice_ = voice; }
    void SetMulti(const Multi& multi) { multi_ = multi; }
    // 8 x op1 + 4 x op2 + 2 x op3 + op4, all on at first.
    int OperatorMask() const { return operatorMask_; }
    // Set by the mode switches the editor sends on page changes; decides which effect block the
    // effect changes and effect messages go to.
    bool MultiMode() const { return multiMode_; }

    // The built-in voices first, then those added.
    int LibrarySize() const { return int(library_.size()); }
    void AddToLibrary(const Voice& voice) { library_.push_back(voice); }
    // Makes a library voice current and returns the program change announcing it (on the global
    // transmit channel); nothing for a number outside the library.
    std::optional<Message> SelectVoice(int number);

    // The voice or multi in a patch or multi file: its bulk messages, found by their F0..F7
    // framing. Nothing, and the reason, when one of its messages is missing or malformed.
    static std::optional<Voice> VoiceFromFile(std::span<const std::uint8_t> bytes,
                                              QString& problem);
    static std::optional<Multi> MultiFromFile(std::span<const std::uint8_t> bytes,
                                              QString& problem);

private:
    QString applyChange(std::span<const std::uint8_t> message);
    QString applyGlobal(int para, std::uint8_t value);
    QString store(Sysex::Kind kind, std::span<const std::uint8_t> data);

    Voice voice_;
    Multi multi_;
    int operatorMask_ = 0x0F;
    bool multiMode_ = false;
    std::vector<Voice> library_;
};
