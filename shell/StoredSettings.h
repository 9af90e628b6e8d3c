// The machine-wide stored settings: seven values kept as text in one file
// for all users, <first dir of $XDG_CONFIG_DIRS, else /etc/xdg>/VESK/
// VESK.ini, section [VESK].  Section [Ports] maps the port names COM1 …
// COM8 to device paths; the program only reads it.
#pragma once

#include <QLocale>
#include <QString>
#include <optional>

#include "link/PortNames.h"

// The values as the widgets show them at start and give them back at close.
struct StoredSettings {
    // Coefficients of the curve fill: decimal texts in the user's locale.
    QString EkvithFillA, EkvithFillB, EkvithFillC;
    // Wall fill inputs: integer texts.
    QString WallDepth, WallSensDepth, WallTemp;
    int ComPort = 0;  // item of the port list, −1 for none
    // A device chosen from the devices present (its stable path); when set,
    // it is chosen at start instead of ComPort.
    QString ComDevice;

    friend bool operator==(const StoredSettings&, const StoredSettings&) = default;
};

inline constexpr int PortCount = 8;  // "COM1" … "COM8"

// A missing value, or one that does not read as its number, takes its
// default: 0, −0.7, 51, 45, 17, 21 and port item 0.  A file that cannot be
// read counts as holding nothing.
StoredSettings ReadStoredSettings(const QLocale& locale = QLocale());
Serial::PortMap ReadPortMap();

// Writes the seven values, each as its text.  Empty on success, else the
// name of the first value that could not be stored.
std::optional<QString> WriteStoredSettings(const StoredSettings& settings);
