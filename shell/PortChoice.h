// The items of the port list: "COM1" … "COM8" first, as they always were,
// then the serial devices actually present, by a readable label.
#pragma once

#include <QString>
#include <vector>

#include "link/PortAccess.h"
#include "link/PortEnumeration.h"

struct PortItem {
    QString label;  // what the list shows
    QString name;   // what is opened: "COM1" … "COM8" or a device path
    bool IsDevice() const { return name.startsWith(u'/'); }
    friend bool operator==(const PortItem&, const PortItem&) = default;
};

inline constexpr int NamedPortCount = 8;  // "COM1" … "COM8"

// A device that is kept chosen (the stored one, or the one picked before
// the list was refreshed) stays in the list even while it is unplugged, so
// choosing it again after plugging it in needs no change in the list.
std::vector<PortItem> PortItems(const std::vector<Serial::PortEntry>& present, const QString& keptDevice = {});

// The position of a name in the items, −1 if absent.
int IndexOfPort(const std::vector<PortItem>& items, const QString& name);

// What the port list shows for a port name or device path: the name of a
// "COMn", the adapter's label of a device present, the file name of one
// that is not.
QString PortLabel(const QString& name);

// The login name, for the command that adds the user to a device's group.
QString CurrentUserName();

// The second line of "Nelze otevřít port …": what happened and what to do.
// Empty where there is nothing more to say (no port chosen).
QString PortFailureReason(const Serial::OpenFailure& failure, const QString& userName);
