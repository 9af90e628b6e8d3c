// The colours the window paints state with, as plain numbers: the output
// panels of the status tab and the cells of a time program share them.
#pragma once

struct Rgb {
    int red = 0, green = 0, blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

namespace Colour {

inline constexpr Rgb LightGreen{127, 255, 127};   // an output that is on; an off cell
inline constexpr Rgb LightRed{255, 127, 127};     // an output that is off
inline constexpr Rgb LightYellow{255, 255, 127};  // an equithermal cell
inline constexpr Rgb LightCyan{127, 255, 255};    // a thermostat cell

}  // namespace Colour
