#pragma once

#include "model/domain.h"

#include <array>
#include <cstdint>

// The eight algorithms (stored 0..7): which operators modulate which, and which are heard. Bit k
// stands for operator k + 1. Every connection runs from a higher operator to a lower one, so
// computing operator 4 first and operator 1 last gives each its modulators' current output.
struct Algorithm {
    std::array<std::uint8_t, OperatorCount> modulators; // of operators 1..4
    std::uint8_t carriers;
};

namespace Algorithms {

constexpr std::uint8_t Op1 = 1, Op2 = 2, Op3 = 4, Op4 = 8;

inline constexpr std::array<Algorithm, 8> Table{{
    {{Op2, Op3, Op4, 0}, Op1},             // 4>3>2>1
    {{Op2, Op3 | Op4, 0, 0}, Op1},         // (4+3)>2>1
    {{Op2 | Op4, Op3, 0, 0}, Op1},         // 4 + (3>2), both >1
    {{Op2 | Op3, 0, Op4, 0}, Op1},         // (4>3) + 2, both >1
    {{Op2, 0, Op4, 0}, Op1 | Op3},         // 4>3, 2>1
    {{Op4, Op4, Op4, 0}, Op1 | Op2 | Op3}, // 4 > each of 3, 2, 1
    {{0, 0, Op4, 0}, Op1 | Op2 | Op3},     // 4>3
    {{0, 0, 0, 0}, Op1 | Op2 | Op3 | Op4}, // none
}};

constexpr const Algorithm& Of(int algorithm) {
    return Table[std::size_t(algorithm & 7)];
}
constexpr bool IsCarrier(int algorithm, int op) {
    return (Of(algorithm).carriers >> op) & 1;
}

} // namespace Algorithms
