// The serial devices present on this machine, for the port list.  Read from
// sysfs and /dev (both roots handed in, so tests use a tree of their own).
#pragma once

#include <string>
#include <vector>

namespace Serial {

// Where the devices are looked for: the system's folders, or a test's tree.
struct DeviceRoots {
    std::string sys = "/sys";
    std::string dev = "/dev";

    friend bool operator==(const DeviceRoots&, const DeviceRoots&) = default;
};

struct PortEntry {
    std::string name;   // "ttyUSB0"
    std::string label;  // "ttyUSB0 – FT232R USB UART": what the list shows
    // What is opened and remembered: the stable /dev/serial/by-id/… link
    // where one exists (the same adapter keeps it whatever number it gets),
    // else the device itself.
    std::string path;
};

// USB and other adapters (every tty with a device behind it), and built-in
// ttyS ports only where a UART answered (their "type" is not 0).  Virtual
// terminals and ptys have no device and are left out.  In name order, with
// numbers compared as numbers (ttyUSB2 before ttyUSB10).
std::vector<PortEntry> EnumeratePorts(const std::string& sysRoot = "/sys", const std::string& devRoot = "/dev");

}  // namespace Serial
