#pragma once

#include <concepts>
#include <cstdint>

class QColor;

// A colour as the editor's tables write it: a 32-bit value laid out 0x00BBGGRR. It is a type of its
// own so that a Qt colour value (0xAARRGGBB) cannot be passed where one is expected: red would come
// out blue. Made from red, green and blue, or from the stored value by name; turned into a QColor
// only on request.
class TColor {
public:
    constexpr TColor() = default; // black
    constexpr TColor(int red, int green, int blue)
        : bgr_(std::uint32_t(red & 0xFF) | std::uint32_t(green & 0xFF) << 8 |
               std::uint32_t(blue & 0xFF) << 16) {}
    static constexpr TColor FromBgr(std::uint32_t bgr) {
        return TColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
    }

    constexpr std::uint32_t Bgr() const { return bgr_; }
    constexpr int Red() const { return int(bgr_ & 0xFF); }
    constexpr int Green() const { return int((bgr_ >> 8) & 0xFF); }
    constexpr int Blue() const { return int((bgr_ >> 16) & 0xFF); }

    // Only code that links Qt's GUI module has a complete QColor, so only it can convert.
    template <std::same_as<QColor> Colour> explicit operator Colour() const {
        return Colour(Red(), Green(), Blue());
    }

    friend constexpr bool operator==(TColor, TColor) = default;

private:
    std::uint32_t bgr_ = 0;
};

namespace Colours {
constexpr TColor Black = TColor::FromBgr(0x000000);
constexpr TColor White = TColor::FromBgr(0xFFFFFF);
constexpr TColor Red = TColor::FromBgr(0x0000FF);
constexpr TColor Yellow = TColor::FromBgr(0x00FFFF);
constexpr TColor Blue = TColor::FromBgr(0xFF0000);
constexpr TColor Green = TColor::FromBgr(0x008000);
constexpr TColor Navy = TColor::FromBgr(0x800000);
constexpr TColor Aqua = TColor::FromBgr(0xFFFF00);
constexpr TColor Teal = TColor::FromBgr(0x808000);
constexpr TColor Silver = TColor::FromBgr(0xC0C0C0);
constexpr TColor Grey = TColor::FromBgr(0x808080);
} // namespace Colours
