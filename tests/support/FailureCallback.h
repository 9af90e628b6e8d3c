// A link observer that only hears failures, for tests that count them or
// look at their reasons.
#pragma once

#include <functional>
#include <utility>

#include "link/LinkObserver.h"

class FailureCallback : public LinkObserver {
public:
    explicit FailureCallback(std::function<void(const LinkFailure&)> call) : call_(std::move(call)) {}
    void ExchangeFailed(const LinkFailure& failure) override { call_(failure); }

private:
    std::function<void(const LinkFailure&)> call_;
};
