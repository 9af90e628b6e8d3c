// The units the window writes after a number, in one place: every text of
// a temperature, a percentage or a number of minutes is made here.
#pragma once

#include <QString>

namespace Unit {

inline constexpr const char* Celsius = " °C";
// The boiler's share of running time: "79 %".
inline constexpr const char* Percent = " %";
// A time-program correction, written close to its number: "+10%".
inline constexpr const char* PercentSign = "%";
inline constexpr const char* Minutes = " minut";
// The wall-compensation multiplier counts quarters.
inline constexpr const char* Quarters = " krát / 4";

}  // namespace Unit

// The number and its unit: "21 °C", "-5 °C", "79 %".
QString WithUnit(long long value, const char* unit);
inline QString CelsiusText(long long celsius)
{
    return WithUnit(celsius, Unit::Celsius);
}
