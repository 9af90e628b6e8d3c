// The pseudo-terminal that stands in for the serial line, and the symlink
// through which clients find it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace sim {

class Pty {
public:
    Pty() = default;
    ~Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    // Opens the master and puts the slave into raw mode.  No slave fd stays
    // open: between clients the master reads as hung up.
    bool Open(std::string* error);
    // Points `path` at the slave.  An existing symlink is replaced (a
    // simulator that died left it); any other file is refused.
    bool Link(const std::string& path, std::string* error);
    // Removes the link if it still points at this simulator's slave.
    void Unlink();

    int MasterFd() const { return master_; }
    const std::string& SlavePath() const { return slavePath_; }

    // Everything the client wrote so far (up to `capacity`); 0 when nothing
    // is waiting.
    std::size_t Read(std::uint8_t* buffer, std::size_t capacity);
    // Hands the bytes to the client side.  If the client stops reading and
    // its input queue stays full, the rest is dropped, as a real line
    // would lose it; returns false then.
    bool Write(const std::uint8_t* data, std::size_t size);

private:
    int master_ = -1;
    std::string slavePath_;
    std::string linkPath_;
};

}  // namespace sim
