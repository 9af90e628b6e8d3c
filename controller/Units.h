// The units the window writes after a number, in one place: every text of
// a temperature, a percentage or a number of minutes is made here.
#pragma once

#include <QString>

namespace Unit {

inline constexpr char Celsius[] = " °C";
// The boiler's share of running time: "79 %".
inline constexpr char Percent[] = " %";
// A time-program correction, written close to its number: "+10%".
inline constexpr char PercentSign[] = "%";
inline constexpr char Minutes[] = " minut";
// The wall-compensation multiplier counts quarters.
inline constexpr char Quarters[] = " krát / 4";

}  // namespace Unit

// The number and its unit: "21 °C", "-5 °C", "79 %".
QString WithUnit(long long value, const char* unit);
inline QString CelsiusText(long long celsius)
{
    return WithUnit(celsius, Unit::Celsius);
}
