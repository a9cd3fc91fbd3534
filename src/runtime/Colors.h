// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>

namespace rt {

// A 24-bit colour.
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend constexpr bool operator==(Rgb, Rgb) = default;
};

constexpr Rgb RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return {r, g, b}; }

constexpr Rgb White = RGB(255, 255, 255);

// The 16 standard colours, chosen by number.
constexpr std::array<Rgb, 16> Palette{{
    {0, 0, 0},       {0, 0, 128},   {0, 128, 0},   {0, 128, 128},
    {128, 0, 0},     {128, 0, 128}, {128, 128, 0}, {192, 192, 192},
    {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
    {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255},
}};

// Palette colour n; raises InvalidCall outside 0..15.
Rgb paletteColor(int n);

// Pixel word of an opaque 32-bit image (0xffRRGGBB) and back.
constexpr std::uint32_t toPixel(Rgb c)
{
    return 0xff000000u | (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | std::uint32_t{c.b};
}
constexpr Rgb fromPixel(std::uint32_t p)
{
    return {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p)};
}

} // namespace rt
