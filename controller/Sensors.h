// The Controller's eight temperature sensors and the slot each one's name
// takes in EEPROM page 0.  Every block that holds one byte per sensor, every
// list of sensor texts and every name slot is sized from here.
#pragma once

#include <QString>
#include <array>

inline constexpr int SensorCount = 8;
// A name fills at most its 16 bytes; a shorter one ends at 0x00 (or 0xFF,
// which a never-written slot holds).
inline constexpr int NameSlotSize = 16;

// One text per sensor, sensor 0 first.
using SensorTexts = std::array<QString, SensorCount>;
