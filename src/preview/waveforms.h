#pragma once

#include <array>
#include <cstdint>

// The chip's eight operator waveforms, W1..W8 (stored 0..7).
namespace Waveforms {

constexpr int Count = 8;

// The waveform's value at a phase in [0, 1) of its period: W1 a sine, W2 the sharply peaked sine
// (each quarter is 1 - cos, the complement of the shifted sine), W3 and W4 their positive halves,
// W5 and W6 the two at double speed in the first half, W7 and W8 their magnitudes at double speed;
// silent where the shape says so.
double Shape(int wave, double phase);

// The shapes as tables, read with linear interpolation at a 32-bit phase. Built once; reading
// allocates nothing.
class Tables {
public:
    static constexpr int Bits = 12;
    static constexpr int Size = 1 << Bits;

    Tables();
    float Read(int wave, std::uint32_t phase) const {
        const auto& table = tables_[std::size_t(wave)];
        const std::uint32_t index = phase >> (32 - Bits);
        const float fraction =
            float(phase & ((1u << (32 - Bits)) - 1)) * (1.0f / (1u << (32 - Bits)));
        const float a = table[index];
        return a + (table[index + 1] - a) * fraction;
    }

private:
    std::array<std::array<float, Size + 1>, Count> tables_;
};

} // namespace Waveforms
