// The window's busy indicator on Qt's application-wide override cursor.
#pragma once

#include <vector>

#include "shell/BusyIndicator.h"

class QtBusyIndicator : public BusyIndicator {
public:
    void Enter(bool hourglass) override;
    void Leave() override;
    void ShowNormal() override;

private:
    // Per Enter not yet left: whether it pushed an hourglass.
    std::vector<bool> pushed_;
};
