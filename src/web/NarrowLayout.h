// SPDX-License-Identifier: MIT
#pragma once

#include <array>

namespace web {

// A place on the page in CSS pixels.
struct CssRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
};

// The main window arranged for a touch screen that cannot show the design
// window: the field as large as the screen allows in whole device pixels a
// field pixel (never fewer than one), the shown controls in one column of
// finger-sized parts below it (held upright) or beside it (held sideways).
// Only the places change; the controls, their captions and order stay.
class NarrowLayout {
public:
    static constexpr double TouchSize = 48;   // the short side of what a finger presses
    static constexpr double Margin = 8;
    static constexpr double Gap = 8;
    static constexpr double PanelMaxWidth = 480;

    struct Place {
        const char* name;   // the control's name
        CssRect rect;
    };

    NarrowLayout(double viewportWidth, double viewportHeight, double devicePixelRatio, int fieldWidth,
                 int fieldHeight, int fieldBorder);

    int devicePixelsPerFieldPixel() const { return devicePixels_; }
    // The field's border box; its inside starts on a whole device pixel only
    // once the page shifts it there.
    const CssRect& field() const { return field_; }
    const std::array<Place, 9>& controls() const { return controls_; }
    // How far the arrangement reaches, with its margin.
    double width() const { return width_; }
    double height() const { return height_; }

private:
    void placePanel(double left, double top, double width);

    int devicePixels_ = 1;
    CssRect field_;
    std::array<Place, 9> controls_{};
    double width_ = 0;
    double height_ = 0;
};

} // namespace web
