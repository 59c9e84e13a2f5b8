#pragma once

#include <cstdint>
#include <span>
#include <vector>

// A message buffer of fixed capacity with the length of the message it holds. Incoming bytes and
// file reads overwrite from the start and keep the length; builders set it. Nothing is ever
// written past the capacity.
class DataBuffer {
public:
    explicit DataBuffer(int capacity) : bytes_(std::size_t(capacity), 0) {}

    int Capacity() const { return int(bytes_.size()); }
    std::uint8_t* Data() { return bytes_.data(); }
    const std::uint8_t* Data() const { return bytes_.data(); }
    std::uint8_t& operator[](int i) { return bytes_.at(std::size_t(i)); }
    std::uint8_t operator[](int i) const { return bytes_.at(std::size_t(i)); }
    std::span<const std::uint8_t> Message() const { return {bytes_.data(), std::size_t(Length)}; }

    // Copies as many of the bytes as fit from the start; returns the count copied.
    int Overwrite(std::span<const std::uint8_t> incoming);

    int Length = 0;

private:
    std::vector<std::uint8_t> bytes_;
};

// The current voice (four messages), the current multi (two) and the receive area.
struct SynthData {
    DataBuffer VoiceBlockBuf{200};
    DataBuffer AddVoiceBuf{100};
    DataBuffer AftertouchBuf{100};
    DataBuffer VoiceEffectBuf{100};
    DataBuffer MultiBuf{200};
    DataBuffer MultiEffectBuf{100};
    DataBuffer SysexInBuf{2000};
};
