#include "shell/WindowLinkObserver.h"

void WindowLinkObserver::ExchangeStarted(std::uint16_t replyLength)
{
    if (busy_)
        busy_->Enter(replyLength > HourglassAbove);
}

void WindowLinkObserver::ExchangeEnded()
{
    if (busy_)
        busy_->Leave();
}

void WindowLinkObserver::PageWriteStarted()
{
    // The one-byte exchanges leave the cursor alone, so the hourglass stays
    // up for the whole write.
    if (busy_)
        busy_->Enter(true);
}

void WindowLinkObserver::PageWriteEnded()
{
    // A write ends with the normal cursor whatever was shown before it.
    if (busy_)
        busy_->ShowNormal();
}

void WindowLinkObserver::ExchangeFailed(const LinkFailure&)
{
    if (stopStatusTimer_)
        stopStatusTimer_();
    if (reportFailure_)
        reportFailure_();
}
