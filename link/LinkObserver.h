// What the link tells whoever drives it: an exchange begins and ends, the
// data of a page write go out, an exchange failed and why.  The window
// turns this into its cursor, its status timer and its one message
// (shell/WindowLinkObserver.h); the command line into its trace.  The link
// itself knows no window.
#pragma once

#include <cstdint>

#include "link/LinkFailure.h"

class LinkObserver {
public:
    virtual ~LinkObserver() = default;

    // One exchange: a request and a reply of this many bytes (0: none awaited).
    virtual void ExchangeStarted(std::uint16_t replyLength) { (void)replyLength; }
    virtual void ExchangeEnded() {}
    // A page write's command was acknowledged; its 256 data bytes follow, one
    // exchange each.  Ended comes when the last went out or one failed.
    virtual void PageWriteStarted() {}
    virtual void PageWriteEnded() {}
    // Once per failed operation, after its exchange has ended and before
    // anything else is sent.  A failed page write reports here before
    // PageWriteEnded.
    virtual void ExchangeFailed(const LinkFailure& failure) { (void)failure; }
};
