#include "sim/Options.h"

#include <charconv>
#include <cstring>

namespace sim {
namespace {

bool ParseInt(const std::string& text, long long lo, long long hi, long long* out, int base = 10)
{
    if (text.empty()) return false;
    long long v = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v, base);
    if (ec != std::errc() || ptr != end || v < lo || v > hi) return false;
    *out = v;
    return true;
}

bool ParseShortReply(const std::string& text, Options* o)
{
    const auto colon = text.find(':');
    if (colon == std::string::npos) return false;
    std::string cmd = text.substr(0, colon);
    if (cmd.size() > 2 && cmd[0] == '0' && (cmd[1] == 'x' || cmd[1] == 'X')) cmd = cmd.substr(2);
    long long command = 0;
    long long count = 0;
    if (!ParseInt(cmd, 0, 255, &command, 16) || !ParseInt(text.substr(colon + 1), 0, 65535, &count)) return false;
    o->shortReplies[static_cast<std::uint8_t>(command)] = static_cast<std::size_t>(count);
    return true;
}

bool ParseInfoHex(const std::string& text, Options* o)
{
    if (text.size() % 2 != 0 || text.size() > 2 * o->info.size()) return false;
    o->info.fill(0x00);
    for (std::size_t i = 0; i < text.size(); i += 2) {
        long long b = 0;
        if (!ParseInt(text.substr(i, 2), 0, 255, &b, 16)) return false;
        o->info[i / 2] = static_cast<std::uint8_t>(b);
    }
    return true;
}

bool ParseClock(const std::string& text, Options* o)
{
    long long parts[4] = {};
    std::size_t from = 0;
    for (int i = 0; i < 4; ++i) {
        const auto colon = text.find(':', from);
        const bool last = i == 3;
        if (last != (colon == std::string::npos)) return false;
        const std::string part = text.substr(from, last ? std::string::npos : colon - from);
        const long long hi = i == 0 ? 23 : i == 3 ? 6 : 59;
        if (!ParseInt(part, 0, hi, &parts[i])) return false;
        from = colon + 1;
    }
    ClockTime t;
    t.hours = static_cast<int>(parts[0]);
    t.minutes = static_cast<int>(parts[1]);
    t.seconds = static_cast<int>(parts[2]);
    t.weekday = static_cast<int>(parts[3]);
    o->clock = t;
    return true;
}

}  // namespace

std::array<std::uint8_t, 16> DefaultInfo()
{
    std::array<std::uint8_t, 16> info{};
    const char text[] = "VESK 2.14 09/19";
    std::memcpy(info.data(), text, sizeof text - 1);
    return info;
}

std::string Usage()
{
    return "usage: vesk-sim --link PATH [options]\n"
           "Simulates the VESK heating controller on a pseudo-terminal; PATH becomes a\n"
           "symlink to its slave side.\n"
           "  --eeprom FILE        load the 4096-byte EEPROM image (built-in image if the\n"
           "                       file does not exist); saved after writes and at exit\n"
           "  --line-speed BAUD    pace received and sent bytes like a line of BAUD baud\n"
           "  --no-ack-after N     leave data byte N (0..254) of every page write\n"
           "                       unacknowledged and abandon that write\n"
           "  --no-ack-page P      only in writes of page P (0..15)\n"
           "  --stuck-byte P:OFF   byte OFF (0..255) of page P keeps its value when written\n"
           "  --short-reply CMD:N  answer command CMD (hex) with only its first N bytes\n"
           "  --stale N            append N junk bytes to every reply\n"
           "  --delay MS           wait MS milliseconds before every reply\n"
           "  --trace FILE         log every received byte and every reply\n"
           "  --info-hex HEX       the 16 bytes of the information reply\n"
           "  --clock HH:MM:SS:D   start the clock there (D: 0 = Monday .. 6 = Sunday)\n"
           "  --help               show this text\n";
}

ParseResult ParseOptions(const std::vector<std::string>& args)
{
    ParseResult r;
    Options& o = r.options;
    o.info = DefaultInfo();
    auto fail = [&r](const std::string& message) {
        r.error = message;
        return r;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        if (name == "--help" || name == "-h") {
            o.help = true;
            continue;
        }
        std::string value;
        if (inlineValue) {
            value = *inlineValue;
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return fail("missing value for " + name);
        }
        long long n = 0;
        if (name == "--link") {
            if (value.empty()) return fail("--link needs a path");
            o.link = value;
        } else if (name == "--eeprom") {
            if (value.empty()) return fail("--eeprom needs a file name");
            o.eepromFile = value;
        } else if (name == "--line-speed") {
            if (!ParseInt(value, 1, 4000000, &n)) return fail("bad --line-speed: " + value);
            o.lineSpeed = static_cast<int>(n);
        } else if (name == "--no-ack-after") {
            if (!ParseInt(value, 0, 254, &n)) return fail("bad --no-ack-after (0..254): " + value);
            o.noAckAfter = static_cast<int>(n);
        } else if (name == "--no-ack-page") {
            if (!ParseInt(value, 0, 15, &n)) return fail("bad --no-ack-page (0..15): " + value);
            o.noAckPage = static_cast<int>(n);
        } else if (name == "--stuck-byte") {
            const auto colon = value.find(':');
            long long page = 0;
            if (colon == std::string::npos || !ParseInt(value.substr(0, colon), 0, 15, &page) ||
                !ParseInt(value.substr(colon + 1), 0, 255, &n))
                return fail("bad --stuck-byte (P:OFF): " + value);
            o.stuckByte = static_cast<int>(page * 256 + n);
        } else if (name == "--short-reply") {
            if (!ParseShortReply(value, &o)) return fail("bad --short-reply (CMD:N): " + value);
        } else if (name == "--stale") {
            if (!ParseInt(value, 0, 4096, &n)) return fail("bad --stale: " + value);
            o.stale = static_cast<int>(n);
        } else if (name == "--delay") {
            if (!ParseInt(value, 0, 600000, &n)) return fail("bad --delay: " + value);
            o.delayMs = static_cast<int>(n);
        } else if (name == "--trace") {
            if (value.empty()) return fail("--trace needs a file name");
            o.traceFile = value;
        } else if (name == "--info-hex") {
            if (!ParseInfoHex(value, &o)) return fail("bad --info-hex (up to 32 hex digits): " + value);
        } else if (name == "--clock") {
            if (!ParseClock(value, &o)) return fail("bad --clock (HH:MM:SS:D): " + value);
        } else {
            return fail("unknown option " + name);
        }
    }
    if (!o.help && o.link.empty()) return fail("--link PATH is required");
    return r;
}

}  // namespace sim
