// The machine-wide stored settings: seven values kept as text in one INI
// file for all users, <first dir of $XDG_CONFIG_DIRS, else /etc/xdg>/VESK/
// VESK.ini, section [VESK].  Section [Ports] maps the port names COM1 …
// COM8 to device paths; the program only reads it.
#pragma once

#include <QLocale>
#include <QString>
#include <array>
#include <optional>

#include "link/PortNames.h"

// The values as the window's widgets take them at start.
struct StoredSettings {
    // Coefficients of the curve fill, as decimal text in the user's locale.
    QString EkvithFillA, EkvithFillB, EkvithFillC;
    int WallDepth = 45, WallSensDepth = 17, WallTemp = 21;
    int ComPort = 0;  // item of the port list, −1 for none
};

inline constexpr int PortCount = 8;  // "COM1" … "COM8"

// A missing value, or one that does not read as its number, takes its
// default: 0, −0.7, 51, 45, 17, 21 and port item 0.  A file that cannot be
// read counts as holding nothing.
StoredSettings ReadStoredSettings(const QLocale& locale = QLocale());
Serial::PortMap ReadPortMap();

// One value as it is written at close: its name and the widget's text.
struct StoredValue {
    const char* name;
    QString text;
};
using StoredValues = std::array<StoredValue, 7>;

// The texts of a StoredSettings, for as long as no widget shows the value.
StoredValues StoredValuesOf(const StoredSettings& settings);

// Empty on success, else the name of the first value that could not be
// stored (a file is written whole, so that is the first of the seven).
std::optional<QString> WriteStoredSettings(const StoredValues& values);

// "Failed to set data for '%s'".
QString StoreFailureText(const QString& name);
