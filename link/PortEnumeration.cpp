#include "link/PortEnumeration.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace Serial {
namespace {

namespace fs = std::filesystem;

std::string FirstLine(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r'))
        line.pop_back();
    return line;
}

// The product string of the USB device the tty hangs under: walk up from
// the tty's device until a folder names a product.
std::string ProductOf(const fs::path& ttyDir)
{
    std::error_code ec;
    fs::path dir = fs::canonical(ttyDir / "device", ec);
    for (int depth = 0; !ec && depth < 6 && dir.has_relative_path(); ++depth, dir = dir.parent_path()) {
        if (fs::exists(dir / "product", ec)) {
            const std::string product = FirstLine(dir / "product");
            const std::string maker = FirstLine(dir / "manufacturer");
            if (product.empty())
                return maker;
            return product;
        }
    }
    return {};
}

bool UartPresent(const fs::path& ttyDir)
{
    const std::string type = FirstLine(ttyDir / "type");
    return !type.empty() && type != "0";
}

// Name order with digit runs compared as numbers.
bool NaturalLess(const std::string& a, const std::string& b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (std::isdigit(static_cast<unsigned char>(a[i])) && std::isdigit(static_cast<unsigned char>(b[j]))) {
            std::size_t ei = i, ej = j;
            while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei])))
                ++ei;
            while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej])))
                ++ej;
            const std::string na = a.substr(i, ei - i), nb = b.substr(j, ej - j);
            if (na.size() != nb.size())
                return na.size() < nb.size();
            if (na != nb)
                return na < nb;
            i = ei;
            j = ej;
        } else {
            if (a[i] != b[j])
                return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

}  // namespace

std::vector<PortEntry> EnumeratePorts(const std::string& sysRoot, const std::string& devRoot)
{
    std::vector<PortEntry> ports;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(fs::path(sysRoot) / "class" / "tty", ec)) {
        const std::string name = entry.path().filename().string();
        const fs::path dir = entry.path();
        if (!fs::exists(dir / "device", ec))
            continue;  // virtual consoles, ptmx and the like
        if (name.rfind("ttyS", 0) == 0 && !UartPresent(dir))
            continue;  // the kernel lists every possible 8250 port, present or not
        if (!fs::exists(fs::path(devRoot) / name, ec))
            continue;
        PortEntry port{name, name, devRoot + "/" + name};
        if (const std::string product = ProductOf(dir); !product.empty())
            port.label = name + " – " + product;
        ports.push_back(std::move(port));
    }

    // Stable names: /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0 → ../../ttyUSB0
    for (const auto& link : fs::directory_iterator(fs::path(devRoot) / "serial" / "by-id", ec)) {
        // Lexically only: the tty's node may itself be a link elsewhere.
        const fs::path target = (link.path().parent_path() / fs::read_symlink(link.path(), ec)).lexically_normal();
        if (ec)
            continue;
        for (PortEntry& port : ports)
            if (target.filename() == port.name)
                port.path = link.path().string();
    }
    std::sort(ports.begin(), ports.end(), [](const PortEntry& a, const PortEntry& b) { return NaturalLess(a.name, b.name); });
    return ports;
}

}  // namespace Serial
