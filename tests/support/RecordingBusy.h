// A busy indicator that keeps the shown cursor the way the window does, as
// a text, and every change of it in order.
#pragma once

#include <string>
#include <vector>

#include "shell/BusyIndicator.h"

class RecordingBusy : public BusyIndicator {
public:
    explicit RecordingBusy(std::string initial = "normal") : shown(std::move(initial)) {}

    void Enter(bool hourglass) override
    {
        remembered_.push_back(shown);
        if (hourglass)
            Show("hourglass");
    }
    void Leave() override
    {
        if (remembered_.empty())
            return;
        Show(remembered_.back());
        remembered_.pop_back();
    }
    void ShowNormal() override
    {
        remembered_.clear();
        Show("normal");
    }

    std::string shown;                 // what the screen shows now
    std::vector<std::string> history;  // every cursor shown, in order

private:
    void Show(const std::string& cursor)
    {
        shown = cursor;
        history.push_back(cursor);
    }
    std::vector<std::string> remembered_;
};
