#include "link/PortNames.h"

#include <charconv>

namespace Serial {

std::optional<std::string> ResolvePortName(const std::string& name, const PortMap& overrides)
{
    if (name.empty())
        return std::nullopt;
    // A device the port list found by itself is named by its path.
    if (name.front() == '/')
        return name;
    if (auto it = overrides.find(name); it != overrides.end()) {
        if (it->second.empty())
            return std::nullopt;
        return it->second;
    }
    // Only the names the window offers have a default device.
    if (name.size() == 4 && name.compare(0, 3, "COM") == 0) {
        int n = 0;
        auto [end, ec] = std::from_chars(name.data() + 3, name.data() + 4, n);
        if (ec == std::errc() && end == name.data() + 4 && n >= 1 && n <= 8)
            return "/dev/ttyS" + std::to_string(n - 1);
    }
    return std::nullopt;
}

}  // namespace Serial
