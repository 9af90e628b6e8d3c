// Integers typed by the user or kept as text: leading blanks, an optional
// sign, then decimal digits or hexadecimal digits after "$", "x" or "0x",
// and nothing after them; the value must fit 32 bits.  Anything else is not
// an integer and the caller takes its own default.
#pragma once

#include <QStringView>
#include <optional>

std::optional<int> ParseIntegerText(QStringView text);
