// Port names on Linux: the program offers "COM1" … "COM8"; each maps to a
// device path, by default COMn → /dev/ttyS(n−1), overridden by the machine's
// settings file ([Ports] COM1=/dev/ttyUSB0).
#pragma once

#include <map>
#include <optional>
#include <string>

namespace Serial {

using PortMap = std::map<std::string, std::string>;

// A device path ("/dev/serial/by-id/…") stands for itself.  An empty or
// unknown name resolves to nothing.
std::optional<std::string> ResolvePortName(const std::string& name, const PortMap& overrides);

}  // namespace Serial
