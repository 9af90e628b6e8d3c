// Value lists shared by several tabs: the regulation modes and the sensors.
// A list field stores the position of the chosen entry, −1 for no selection.
#pragma once

#include <QStringList>

namespace RegulationMode {
// "Vypnuto", "Ekvitermní", "Termostat", "Režim A - silný", "Režim B - slabý",
// "Režim C - stálý".  The last three are the time programs A, B and C.
const QStringList& Items();
constexpr int Count = 6;
}  // namespace RegulationMode

namespace SensorId {
// "Výst. voda", "Vrat. voda", "Uživ. 1", "Vnitřní", "Venkovní", "Zeď",
// "Uživ. 2", "Uživ. 3": sensor i is entry i.
const QStringList& Items();
constexpr int Count = 8;
// The roles the heating curve joins: the water it sets against the outdoor
// temperature it reads.
constexpr int OutletWater = 0;
constexpr int Outdoor = 4;
}  // namespace SensorId
