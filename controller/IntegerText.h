// Integers typed by the user or kept as text: leading blanks, an optional
// sign, then decimal digits or hexadecimal digits after "$", "x" or "0x",
// and nothing after them; the value must fit 32 bits.  Anything else is not
// an integer and the caller takes its own default.
#pragma once

#include <QStringView>
#include <optional>

std::optional<int> ParseIntegerText(QStringView text);

// The value of a hexadecimal digit of either case, −1 for any other
// character.  Every hexadecimal text of the program is read digit by digit
// through this: integers, bytes typed into the page editor, bytes in files.
int HexDigitValue(QChar c);
