#include "controller/OutdoorFill.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include "controller/DecimalText.h"
#include "controller/Units.h"

static_assert(LDBL_MANT_DIG == 64,
              "The table fills need 80-bit extended precision: long double with a 64-bit significand. "
              "This platform's long double is different, and its filled rows would not match.");

namespace {

using Real = long double;

Real Decimal(QStringView text, Real notANumber)
{
    return ParseDecimalText(text).value_or(notANumber);
}

// The checks stand where the FPU would raise: x / 0 and 0 / 0.
OrFault<Real> Divide(Real dividend, Real divisor)
{
    if (divisor == 0)
        return dividend == 0 ? FloatFault::InvalidOperation : FloatFault::DivisionByZero;
    return dividend / divisor;
}

// Nearest integer, exact halves to the even neighbour: nearbyint under the
// default rounding mode, which the program never changes.  A result beyond
// 64 bits (or one that overflowed to infinity) is no row value.
std::optional<qint64> RowValue(Real y)
{
    const Real rounded = std::nearbyint(y);
    if (!(rounded >= -0x1p63L && rounded < 0x1p63L))
        return std::nullopt;
    return static_cast<qint64>(rounded);
}

// The 66 rows of f(t), every row computed before any is handed out.
template <typename F>
OrFault<OutdoorTable> Tabulate(F f)
{
    OutdoorTable table;
    for (int row = 0; row < OutdoorTable::RowCount; ++row) {
        const auto value = RowValue(f(OutdoorTable::Temperature(row)));
        if (!value)
            return FloatFault::InvalidOperation;
        table.SetValue(row, QString::number(*value));
    }
    return table;
}

}  // namespace

OrFault<OutdoorTable> FillEkvith(QStringView aText, QStringView bText, QStringView cText)
{
    const Real a = Decimal(aText, 0), b = Decimal(bText, 0), c = Decimal(cText, 0);
    return Tabulate([&](int t) {
        // A·t² first, with t² squared as an integer; then B·t; then C.
        const Real quadratic = a * Real(t * t);
        return c + (b * Real(t) + quadratic);
    });
}

WallFill FillWall(QStringView wText, QStringView tiText, QStringView sText, QStringView bText,
                  const QLocale& locale)
{
    const Real w = Decimal(wText, 1), ti = Decimal(tiText, 0), s = Decimal(sText, 0);
    const OrFault<Real> depthRatio = Divide(s, w);
    if (const auto* fault = std::get_if<FloatFault>(&depthRatio))
        return {*fault, *fault};
    const Real q = std::get<Real>(depthRatio);
    OrFault<OutdoorTable> rows = Tabulate([&](int t) { return ti - q * (ti - Real(t)); });
    if (const auto* fault = std::get_if<FloatFault>(&rows))
        return {*fault, *fault};
    return {std::move(rows), WallMultiplier(wText, sText, bText, locale)};
}

OrFault<QString> WallMultiplier(QStringView wText, QStringView sText, QStringView bText, const QLocale& locale)
{
    const Real w = Decimal(wText, 1), s = Decimal(sText, 1), b = Decimal(bText, 1);
    const OrFault<Real> ratio = Divide(w, s);
    if (const auto* fault = std::get_if<FloatFault>(&ratio))
        return *fault;
    const Real m = -std::get<Real>(ratio) * b * 4;
    if (!std::isfinite(m))
        return FloatFault::InvalidOperation;
    return FormatWallMultiplier(m, locale);
}

QString FormatWallMultiplier(Real m, const QLocale& shownIn)
{
    QLocale locale = shownIn;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const QString unit = UnitText(Unit::Quarters);

    // Two significant digits of the exact 80-bit value, as "d.de±xx":
    // to_chars rounds correctly, halves to even, and knows no locale.
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, m, std::chars_format::scientific, 1);
    if (ec != std::errc())
        return unit;  // not reached: the caller has checked that m is finite
    std::string_view text(buffer, std::size_t(end - buffer));
    const bool negative = text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const int first = text[0] - '0', second = text[2] - '0';
    int exponent = 0;
    std::from_chars(text.data() + 4 + (text[4] == '+'), text.data() + text.size(), exponent);
    const int sign = negative ? -1 : 1;

    if (exponent >= 2) {
        const QString mantissa = locale.toString(sign * (first + second / 10.0), 'f', 1);
        return mantissa + QStringLiteral("E+%1").arg(exponent, 2, 10, QLatin1Char('0')) + unit;
    }
    // The two digits as hundredths; where the second digit (or both) lies
    // beyond the two decimals shown, rounded once more, halves to even.
    const int digits = first * 10 + second;  // m ≈ digits · 10^(exponent − 1)
    const int beyond = -(exponent + 1);      // decimal places past the hundredths
    int hundredths = 0;
    if (beyond <= 0) {
        hundredths = digits * (beyond == -2 ? 100 : beyond == -1 ? 10 : 1);
    } else if (beyond <= 2) {
        const int divisor = beyond == 1 ? 10 : 100;
        hundredths = digits / divisor;
        const int rest = digits % divisor;
        if (2 * rest > divisor || (2 * rest == divisor && hundredths % 2 == 1))
            ++hundredths;
    }  // from 0.001 down, 0.00
    // A multiplier that rounds to zero shows no sign.
    return locale.toString(hundredths == 0 ? 0.0 : sign * hundredths / 100.0, 'f', 2) + unit;
}
