// The window's wait cursor, as the window's link observer drives it while
// the window is blocked in an exchange.
#pragma once

class BusyIndicator {
public:
    virtual ~BusyIndicator() = default;

    // Remembers what the screen shows now and, when hourglass is true,
    // shows the hourglass over it.
    virtual void Enter(bool hourglass) = 0;
    // Shows again what the matching Enter remembered.
    virtual void Leave() = 0;
    // The normal cursor, whatever was shown or entered before.
    virtual void ShowNormal() = 0;
};
