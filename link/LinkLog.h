// The logging category "vesk.link": every exchange with the Controller at
// debug level (request, reply bytes, time, the reason of a failure) and the
// stale bytes a drain throws away.  Off unless turned on, as Qt programs
// are: QT_LOGGING_RULES="vesk.link.debug=true".
#pragma once

#include <QLoggingCategory>
#include <cstddef>
#include <cstdint>
#include <string>

Q_DECLARE_LOGGING_CATEGORY(lcLink)

// "20 ff 0a": the bytes as the trace shows them.
std::string TraceHex(const std::uint8_t* bytes, std::size_t count);
