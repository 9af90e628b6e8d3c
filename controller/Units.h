// The units the window writes after a number, in one place: every text of
// a temperature, a percentage or a number of minutes is made here.  Each is
// marked for the catalogue ("Unit"), as WithUnit shows it.
#pragma once

#include <QCoreApplication>
#include <QString>

namespace Unit {

inline constexpr const char* Celsius = QT_TRANSLATE_NOOP("Unit", " °C");
// The boiler's share of running time: "79 %".
inline constexpr const char* Percent = QT_TRANSLATE_NOOP("Unit", " %");
// A time-program correction, written close to its number: "+10%".
inline constexpr const char* PercentSign = QT_TRANSLATE_NOOP("Unit", "%");
inline constexpr const char* Minutes = QT_TRANSLATE_NOOP("Unit", " minut");
// The wall-compensation multiplier counts quarters.
inline constexpr const char* Quarters = QT_TRANSLATE_NOOP("Unit", " krát / 4");

}  // namespace Unit

// The unit as the window shows it.
QString UnitText(const char* unit);
// The number and its unit: "21 °C", "-5 °C", "79 %".
QString WithUnit(long long value, const char* unit);
inline QString CelsiusText(long long celsius)
{
    return WithUnit(celsius, Unit::Celsius);
}
