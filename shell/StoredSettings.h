// The machine-wide stored settings: the fill inputs that
// controller/FillInputs.h marks as stored, and the port, kept as text in
// one file for all users (StoredSettingsPath()), section [VESK].  Section
// [Ports] maps the port names COM1 … COM8 to device paths; the program only
// reads it.  People edit the file by hand: the program writes only the [VESK]
// values that changed, through the key file (files/KeyFile.h), and every
// other byte of the file stays as it was.
#pragma once

#include <QLocale>
#include <QString>
#include <map>
#include <optional>

#include "files/FileSystem.h"
#include "link/PortNames.h"

// The values as the widgets show them at start and give them back at close.
struct StoredSettings {
    // The text of each fill input the file keeps (controller/FillInputs.h:
    // the curve's coefficients, decimal texts shown with the user's decimal
    // separator; the wall's inputs, integer texts), by its key.
    std::map<QString, QString> inputs;
    int ComPort = 0;  // item of the port list, −1 for none
    // A device chosen from the devices present (its stable path); when set,
    // it is chosen at start instead of ComPort.
    QString ComDevice;

    // The text of an input, empty when there is none.
    QString Input(const QString& key) const;

    friend bool operator==(const StoredSettings&, const StoredSettings&) = default;
};

// <first absolute folder in $XDG_CONFIG_DIRS, else /etc/xdg>/VESK/VESK.ini:
// where every desktop program keeps its system-wide configuration.
QString StoredSettingsPath();

// A missing value, or one that does not read as its number, takes its
// default (controller/FillInputs.h; port item 0).  A decimal text reads
// the same in every locale (controller/DecimalText.h): the file is shared
// by technicians whose locales differ.  A value in double quotes (as
// earlier versions wrote texts with a comma) is read without them.  A file
// that cannot be read counts as holding nothing, and so does anything but
// a regular file of at most a megabyte (files/BoundedRead.h: a FIFO or a
// link to /dev/zero planted in the shared folder must not hang the start).
StoredSettings ReadStoredSettings(const QLocale& locale = QLocale());
Serial::PortMap ReadPortMap();

// Writes, in one batch committed in one atomic replace, each of the
// values that the file does not hold yet, each as its text.  The file holds
// a value when its entry has the same text or one that reads as the same
// number (the decimal rule for the fill coefficients, the integer rule for
// the others), so an unchanged value is never rewritten and a file where
// nothing changed is not written at all.  Given the values as read at
// start, a value left as it was does not overwrite a number that the file
// holds now: what another technician stored meanwhile stands.  The file is
// read back and replaced under a lock on its folder (files/FolderLock.h,
// waited for at most two seconds), so two windows closing at the same
// moment both keep their values.  Creates the file and its folder when missing.  Empty
// on success, else the name of the first value that could not be stored
// (an unreadable file, or anything but a regular file, is never replaced:
// it would lose its other lines).
std::optional<QString> WriteStoredSettings(const StoredSettings& settings,
                                           const std::optional<StoredSettings>& shownAtStart = std::nullopt,
                                           FileSystem& fs = RealFileSystem());
