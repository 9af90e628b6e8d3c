// Decimal numbers typed by people: the curve's fill coefficients, the wall
// fill inputs, the stored settings.  The settings file is shared by every
// technician on the machine, whatever their locale, so a decimal text reads
// the same everywhere: "0,5" and "0.5" are both one half.  Numbers are
// shown with the user's own decimal separator.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>
#include <optional>

// Blanks around the number, an optional sign, digits with at most one
// decimal separator ("." or ","), at least one digit, and an optional
// exponent ("e" or "E", optional sign, digits).  Group separators are never
// accepted, and neither are "nan", "inf" or a result that overflows: they
// are not numbers.  Read at the 64-bit significand of long double.
std::optional<long double> ParseDecimalText(QStringView text);

// The shortest text that reads back as the same double, with the locale's
// decimal separator and no group separators.
QString FormatDecimal(double value, const QLocale& locale = QLocale());
