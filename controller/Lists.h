// Value lists shared by several tabs: the regulation modes and the sensors.
// A list field stores the position of the chosen entry, −1 for no selection.
// The texts are UTF-8 constants, so that a field table can name its list at
// compile time; Items() gives them as the widgets take them.
#pragma once

#include <QStringList>
#include <array>

#include "controller/Sensors.h"

namespace RegulationMode {
// The last three are the time programs A, B and C.
inline constexpr std::array<const char*, 6> Texts{
    "Vypnuto", "Ekvitermní", "Termostat", "Režim A - silný", "Režim B - slabý", "Režim C - stálý",
};
const QStringList& Items();
constexpr int Count = int(Texts.size());
// Entry of time program A; B and C follow.
constexpr int FirstProgram = 3;
}  // namespace RegulationMode

namespace SensorId {
// Sensor i is entry i.
inline constexpr std::array<const char*, SensorCount> Texts{
    "Výst. voda", "Vrat. voda", "Uživ. 1", "Vnitřní", "Venkovní", "Zeď", "Uživ. 2", "Uživ. 3",
};
const QStringList& Items();
constexpr int Count = int(Texts.size());
// The roles the heating curve joins: the water it sets against the outdoor
// temperature it reads.
constexpr int OutletWater = 0;
constexpr int Outdoor = 4;
}  // namespace SensorId
