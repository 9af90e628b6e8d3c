// The two requests the window sends on its own behalf: "RESET" and "Info".
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>

class ControllerLink;

// Sends the reset request; nothing comes back, so success only means the
// byte left.
bool SendReset(ControllerLink& link);

// The Controller's information text, or nothing when the exchange failed
// (the link has reported it).
std::optional<QString> ReadInfo(ControllerLink& link);

// The reply's bytes up to the first zero byte, at most 16, in Windows-1250.
QString InfoText(const std::uint8_t* reply, std::size_t length);
