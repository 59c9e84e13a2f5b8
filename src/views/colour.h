#pragma once

#include <cstdint>

// Colours are laid out 0x00BBGGRR, the layout the synth editor's tables are written in.
using TColor = std::uint32_t;

namespace Colours {
constexpr TColor Black = 0x000000;
constexpr TColor White = 0xFFFFFF;
constexpr TColor Red = 0x0000FF;
constexpr TColor Yellow = 0x00FFFF;
constexpr TColor Blue = 0xFF0000;
constexpr TColor Green = 0x008000;
constexpr TColor Navy = 0x800000;
constexpr TColor Aqua = 0xFFFF00;
constexpr TColor Teal = 0x808000;
constexpr TColor Silver = 0xC0C0C0;
constexpr TColor Grey = 0x808080;

constexpr int red(TColor c) {
    return int(c & 0xFF);
}
constexpr int green(TColor c) {
    return int((c >> 8) & 0xFF);
}
constexpr int blue(TColor c) {
    return int((c >> 16) & 0xFF);
}
constexpr TColor rgb(int r, int g, int b) {
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
} // namespace Colours
