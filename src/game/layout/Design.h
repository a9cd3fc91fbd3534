// SPDX-License-Identifier: MIT
#pragma once

namespace game::layout {

// The windows are designed in twips; the screen has 15 twips per pixel, as
// a 96 dpi screen has. Both front ends place their controls by these values,
// so the desktop and the page cannot drift apart.
inline constexpr int TwipsPerPixel = 15;

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

struct PixelRect {
    int left;
    int top;
    int width;
    int height;
};

constexpr int toPixels(int twips) { return (twips + TwipsPerPixel / 2) / TwipsPerPixel; }

constexpr PixelRect toPixelRect(TwipRect r)
{
    return {toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height)};
}

// A font by the face name it was designed with; each front end maps the
// face to a metric-compatible one it has.
struct FontSpec {
    const char* family;
    double points;
    bool bold;
};

// The font of every window and of each control that names no other.
inline constexpr FontSpec DefaultFont{"MS Sans Serif", 8.0, false};

} // namespace game::layout
