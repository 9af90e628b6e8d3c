// Value lists shared by several tabs: the regulation modes and the sensors.
// A list field stores the position of the chosen entry, −1 for no selection.
// The texts are UTF-8 constants, words of the tables (FieldWord), so that a
// field table can name its list at compile time; Items() gives them as the
// widgets show them.
#pragma once

#include <QCoreApplication>
#include <QStringList>
#include <array>

#include "controller/Sensors.h"

namespace RegulationMode {
// The last three are the time programs A, B and C.
inline constexpr std::array<const char*, 6> Texts{
    QT_TRANSLATE_NOOP("Field", "Vypnuto"),         QT_TRANSLATE_NOOP("Field", "Ekvitermní"),
    QT_TRANSLATE_NOOP("Field", "Termostat"),       QT_TRANSLATE_NOOP("Field", "Režim A - silný"),
    QT_TRANSLATE_NOOP("Field", "Režim B - slabý"), QT_TRANSLATE_NOOP("Field", "Režim C - stálý"),
};
QStringList Items();
constexpr int Count = int(Texts.size());
// Entry of time program A; B and C follow.
constexpr int FirstProgram = 3;
}  // namespace RegulationMode

namespace SensorId {
// Sensor i is entry i.
inline constexpr std::array<const char*, SensorCount> Texts{
    QT_TRANSLATE_NOOP("Field", "Výst. voda"), QT_TRANSLATE_NOOP("Field", "Vrat. voda"),
    QT_TRANSLATE_NOOP("Field", "Uživ. 1"),    QT_TRANSLATE_NOOP("Field", "Vnitřní"),
    QT_TRANSLATE_NOOP("Field", "Venkovní"),   QT_TRANSLATE_NOOP("Field", "Zeď"),
    QT_TRANSLATE_NOOP("Field", "Uživ. 2"),    QT_TRANSLATE_NOOP("Field", "Uživ. 3"),
};
QStringList Items();
constexpr int Count = int(Texts.size());
// The roles the heating curve joins: the water it sets against the outdoor
// temperature it reads.
constexpr int OutletWater = 0;
constexpr int Outdoor = 4;
}  // namespace SensorId
