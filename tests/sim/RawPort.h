// The client end of the simulator's pty, with plain POSIX: these tests must
// not depend on the program's own serial link.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class RawPort {
public:
    explicit RawPort(const std::string& path);
    ~RawPort();
    RawPort(const RawPort&) = delete;
    RawPort& operator=(const RawPort&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    void Write(const std::vector<std::uint8_t>& bytes);
    // Reads until `count` bytes came or `timeoutMs` passed.
    std::vector<std::uint8_t> Read(std::size_t count, int timeoutMs);
    // Everything that arrives within `ms`.
    std::vector<std::uint8_t> ReadFor(int ms);
    // Discards pending input.
    void Drain();
    // Writes one request and reads up to `replyLength` bytes (1 s budget
    // plus line time at 9600 baud).
    std::vector<std::uint8_t> Exchange(std::uint8_t request, std::size_t replyLength);
    // Page write: 0x30 + page, then the 256 bytes; returns how many
    // acknowledgements came (256 for a complete write: the command and
    // bytes 0..254), stopping at the first one missing.
    int WritePage(int page, const std::vector<std::uint8_t>& data);
    std::vector<std::uint8_t> ReadPage(int page);

private:
    int fd_ = -1;
};
