#include "controller/DecimalText.h"

#include <charconv>
#include <cmath>
#include <string>

std::optional<long double> ParseDecimalText(QStringView text)
{
    const QStringView t = text.trimmed();
    // Check the shape first, so that from_chars (which takes "inf", "nan"
    // and hexadecimal floats) only ever sees plain decimal notation.
    std::string plain;
    plain.reserve(std::size_t(t.size()));
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        if (t[i] == u'-')
            plain += '-';
        ++i;
    }
    int digits = 0;
    bool separator = false;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c >= u'0' && c <= u'9') {
            plain += char(c);
            ++digits;
        } else if ((c == u'.' || c == u',') && !separator) {
            plain += '.';
            separator = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        plain += 'e';
        ++i;
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
            plain += char(t[i++].unicode());
        int exponentDigits = 0;
        for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i, ++exponentDigits)
            plain += char(t[i].unicode());
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != t.size())
        return std::nullopt;

    long double value = 0;
    const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ec != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString FormatDecimal(double value, const QLocale& shownIn)
{
    QLocale locale = shownIn;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', QLocale::FloatingPointShortest);
}
