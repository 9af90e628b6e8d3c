// What the window does while the link talks to the Controller: the
// hourglass over the longer replies and over a whole page write, and on a
// failure the status timer stopped first (no poll may start while the box
// is up), then the one message "Chyba komunikace".  The reason of the
// failure is not shown; it goes to the trace.
#pragma once

#include <functional>

#include "link/LinkObserver.h"
#include "shell/BusyIndicator.h"

class WindowLinkObserver : public LinkObserver {
public:
    // Replies longer than this show the hourglass: the short status and
    // clock replies of the once-a-second poll would make it flicker.
    static constexpr std::uint16_t HourglassAbove = 10;

    // Anything missing is skipped.
    WindowLinkObserver(BusyIndicator* busy, std::function<void()> stopStatusTimer,
                       std::function<void()> reportFailure)
        : busy_(busy), stopStatusTimer_(std::move(stopStatusTimer)), reportFailure_(std::move(reportFailure))
    {
    }

    void ExchangeStarted(std::uint16_t replyLength) override;
    void ExchangeEnded() override;
    void PageWriteStarted() override;
    void PageWriteEnded() override;
    void ExchangeFailed(const LinkFailure& failure) override;

    // Replaces the failure report (tests that act inside the message box).
    void SetReportFailure(std::function<void()> report) { reportFailure_ = std::move(report); }
    void SetBusy(BusyIndicator* busy) { busy_ = busy; }

private:
    BusyIndicator* busy_;
    std::function<void()> stopStatusTimer_;
    std::function<void()> reportFailure_;
};
