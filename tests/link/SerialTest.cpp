// The serial port unit against a real pseudo-terminal and against the fake.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "tests/support/FakePort.h"
#include "link/Serial.h"

namespace {

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// The far end of the line: the master side of a pty whose slave the program
// opens as "COM1".
class PtyPair {
public:
    PtyPair()
    {
        master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
            return;
        slave_ = ptsname(master_);
    }
    ~PtyPair()
    {
        if (master_ >= 0)
            close(master_);
    }
    bool Ok() const { return master_ >= 0 && !slave_.empty(); }
    const std::string& SlavePath() const { return slave_; }
    int Master() const { return master_; }
    void Send(const std::vector<std::uint8_t>& bytes) const
    {
        ASSERT_EQ(write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // Reads what the program sent, waiting up to timeoutMs for count bytes.
    std::vector<std::uint8_t> Receive(std::size_t count, int timeoutMs = 1000) const
    {
        std::vector<std::uint8_t> got;
        auto start = Clock::now();
        while (got.size() < count && MsSince(start) < timeoutMs) {
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, 20) > 0) {
                std::uint8_t buf[512];
                ssize_t n = read(master_, buf, sizeof buf);
                if (n > 0)
                    got.insert(got.end(), buf, buf + n);
            }
        }
        return got;
    }
    void Hangup()
    {
        close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    std::string slave_;
};

// A pty delivers asynchronously: poll until the program's side sees count
// bytes waiting before counting on them.
bool WaitForInput(int count, int timeoutMs = 2000)
{
    auto start = Clock::now();
    while (MsSince(start) < timeoutMs) {
        if (Serial::InputWaiting() >= count)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

class SerialPty : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.Ok());
        Serial::SetDeviceOpener(nullptr);
        Serial::SetPortMap({{"COM1", pty.SlavePath()}});
    }
    void TearDown() override
    {
        Serial::ClosePort();
        Serial::SetPortMap({});
    }
    PtyPair pty;
};

}  // namespace

TEST(PortNames, DefaultsMapToTtySAndOverridesWin)
{
    using Serial::ResolvePortName;
    EXPECT_EQ(ResolvePortName("COM1", {}), "/dev/ttyS0");
    EXPECT_EQ(ResolvePortName("COM8", {}), "/dev/ttyS7");
    EXPECT_EQ(ResolvePortName("COM3", {{"COM3", "/dev/ttyUSB0"}}), "/dev/ttyUSB0");
    EXPECT_EQ(ResolvePortName("COM4", {{"COM3", "/dev/ttyUSB0"}}), "/dev/ttyS3");
    EXPECT_FALSE(ResolvePortName("", {}));
    EXPECT_FALSE(ResolvePortName("COM9", {}));
    EXPECT_FALSE(ResolvePortName("COM0", {}));
    EXPECT_FALSE(ResolvePortName("LPT1", {}));
    EXPECT_FALSE(ResolvePortName("COM1", {{"COM1", ""}}));
}

TEST(SerialClosed, EverythingFailsAtOnceWithoutAPort)
{
    Serial::SetDeviceOpener(nullptr);
    Serial::SetPortMap({{"COM1", "/nonexistent/ttyVESK"}});
    EXPECT_FALSE(Serial::OpenPort("COM1", 9600));
    EXPECT_FALSE(Serial::OpenPort("", 9600));
    EXPECT_FALSE(Serial::IsOpen());
    std::uint8_t buf[16] = {};
    auto start = Clock::now();
    EXPECT_FALSE(Serial::ReadBytes(buf, 16));
    EXPECT_FALSE(Serial::WriteBytes(buf, 1));
    EXPECT_EQ(Serial::InputWaiting(), -1);
    Serial::FlushInput();
    // "At once": far below any time-out, with room for a loaded machine.
    EXPECT_LT(MsSince(start), 250);
    // Closing twice, or with nothing ever opened, does nothing.
    Serial::ClosePort();
    Serial::ClosePort();
    EXPECT_FALSE(Serial::IsOpen());
    Serial::SetPortMap({});
}

TEST(SerialClosed, ARegularFileIsNoPort)
{
    char path[] = "/tmp/vesk-notatty-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    Serial::SetPortMap({{"COM2", path}});
    EXPECT_FALSE(Serial::OpenPort("COM2", 9600));
    EXPECT_FALSE(Serial::IsOpen());
    unlink(path);
    Serial::SetPortMap({});
}

TEST_F(SerialPty, OpenSets8N1AtTheBaudRateAndKeepsHardwareFlowControl)
{
    // Put the line into a different shape first: 7 data bits, even parity,
    // 2 stop bits, 1200 baud, RTS/CTS on.
    int probe = open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(probe, 0);
    termios before{};
    ASSERT_EQ(tcgetattr(probe, &before), 0);
    before.c_cflag &= ~CSIZE;
    before.c_cflag |= CS7 | PARENB | CSTOPB | CRTSCTS;
    cfsetispeed(&before, B1200);
    cfsetospeed(&before, B1200);
    ASSERT_EQ(tcsetattr(probe, TCSANOW, &before), 0);

    ASSERT_TRUE(Serial::OpenPort("COM1", 9600));
    termios after{};
    ASSERT_EQ(tcgetattr(probe, &after), 0);
    EXPECT_EQ(after.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_FALSE(after.c_cflag & PARENB);
    EXPECT_FALSE(after.c_cflag & CSTOPB);
    EXPECT_TRUE(after.c_cflag & CRTSCTS) << "hardware flow control must stay as it was";
    EXPECT_EQ(cfgetispeed(&after), static_cast<speed_t>(B9600));
    EXPECT_EQ(cfgetospeed(&after), static_cast<speed_t>(B9600));
    EXPECT_FALSE(after.c_lflag & (ICANON | ECHO));
    close(probe);
}

TEST_F(SerialPty, BinaryBytesPassUnchangedBothWays)
{
    // Flow-control characters, CR/LF and 0xFF must all arrive as sent.
    ASSERT_TRUE(Serial::OpenPort("COM1", 9600));
    std::vector<std::uint8_t> all(256);
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<std::uint8_t>(i);
    pty.Send(all);
    std::uint8_t in[256] = {};
    ASSERT_TRUE(Serial::ReadBytes(in, 256));
    EXPECT_EQ(std::vector<std::uint8_t>(in, in + 256), all);

    ASSERT_TRUE(Serial::WriteBytes(all.data(), 256));
    EXPECT_EQ(pty.Receive(256), all);
}

TEST_F(SerialPty, ZeroByteReadSucceedsAtOnce)
{
    ASSERT_TRUE(Serial::OpenPort("COM1", 9600));
    auto start = Clock::now();
    EXPECT_TRUE(Serial::ReadBytes(nullptr, 0));
    EXPECT_LT(MsSince(start), 250);
}

TEST_F(SerialPty, ShortReplyTimesOutAfter500PlusNmsAndKeepsTheBytes)
{
    ASSERT_TRUE(Serial::OpenPort("COM1", 9600));
    std::vector<std::uint8_t> part(200);
    for (int i = 0; i < 200; ++i)
        part[i] = static_cast<std::uint8_t>(i + 7);
    pty.Send(part);
    std::uint8_t in[256] = {};
    auto start = Clock::now();
    EXPECT_FALSE(Serial::ReadBytes(in, 256));
    auto elapsed = MsSince(start);
    EXPECT_GE(elapsed, 750);
    EXPECT_LT(elapsed, 1500);
    EXPECT_EQ(std::vector<std::uint8_t>(in, in + 200), part);
    EXPECT_EQ(in[200], 0);
}

TEST_F(SerialPty, NoLimitBetweenBytesOnlyInTotal)
{
    // Bytes trickling in 300 ms apart still make a complete read, as long as
    // the whole arrives within 500 ms + 1 ms per byte.
    ASSERT_TRUE(Serial::OpenPort("COM1", 9600));
    std::thread sender([&] {
        for (std::uint8_t b : {1, 2}) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            pty.Send({b});
        }
    });
    std::uint8_t in[2] = {};
    EXPECT_TRUE(Serial::ReadBytes(in, 2));
    sender.join();
    EXPECT_EQ(in[0], 1);
    EXPECT_EQ(in[1], 2);
}

TEST_F(SerialPty, DrainEmptiesTheInputQueue)
{
    ASSERT_TRUE(Serial::OpenPort("COM1", 9600));
    pty.Send(std::vector<std::uint8_t>(300, 0xAA));
    ASSERT_TRUE(WaitForInput(300));
    EXPECT_EQ(Serial::InputWaiting(), 300);
    Serial::FlushInput();
    EXPECT_EQ(Serial::InputWaiting(), 0);
}

TEST_F(SerialPty, SecondOpenOfAHeldPortFailsEvenForRoot)
{
    ASSERT_TRUE(Serial::OpenPort("COM1", 9600));
    Serial::OpenFailure failure;
    Serial::PosixOpener opener;
    EXPECT_EQ(opener.Open(pty.SlavePath(), 9600, Serial::OpenKind::Chosen, failure), nullptr);
    EXPECT_EQ(failure.reason, Serial::OpenFailure::Reason::InUse);
    Serial::ClosePort();
    auto again = opener.Open(pty.SlavePath(), 9600, Serial::OpenKind::Chosen, failure);
    EXPECT_NE(again, nullptr) << "closing must release the port";
}

TEST_F(SerialPty, HangupEndsAReadAtOnce)
{
    ASSERT_TRUE(Serial::OpenPort("COM1", 9600));
    pty.Hangup();
    std::uint8_t in[256];
    auto start = Clock::now();
    EXPECT_FALSE(Serial::ReadBytes(in, 256));
    EXPECT_LT(MsSince(start), 400) << "a vanished device must not be waited on until the deadline";
}

TEST_F(SerialPty, UnsupportedBaudRateFailsAndLeavesNothingOpen)
{
    EXPECT_FALSE(Serial::OpenPort("COM1", 12345));
    EXPECT_FALSE(Serial::IsOpen());
    EXPECT_TRUE(Serial::OpenPort("COM1", 9600)) << "the failed open must not have kept the lock";
}

class SerialFake : public ::testing::Test {
protected:
    void SetUp() override { InstallFake(); }
    void TearDown() override
    {
        Serial::ClosePort();
        UninstallFake();
    }
};

TEST_F(SerialFake, DrainReadsInChunksOf128UntilTheQueueIsEmpty)
{
    ASSERT_TRUE(Serial::OpenPort("COM1", 9600));
    Fake().input.assign(300, 0x55);
    Serial::FlushInput();
    EXPECT_EQ(Fake().readSizes, (std::vector<std::size_t>{128, 128, 44}));
    EXPECT_EQ(Fake().waitingCalls, 4) << "the drain stops only after the queue reports 0";
    EXPECT_TRUE(Fake().input.empty());
}

TEST_F(SerialFake, DrainStopsWhenTheQueryFails)
{
    ASSERT_TRUE(Serial::OpenPort("COM1", 9600));
    Fake().input.assign(10, 1);
    Fake().failWaiting = true;
    Serial::FlushInput();
    EXPECT_TRUE(Fake().readSizes.empty());
}

// A device that never stops sending (a wrong ttyACM) must not keep the
// drain, and with it the window, going.
TEST_F(SerialFake, ADrainOfAStreamingDeviceEndsWithinItsBudget)
{
    ASSERT_TRUE(Serial::OpenPort("COM1", 9600));
    Fake().stream = true;
    Serial::FlushInput();
    std::size_t drained = 0;
    for (std::size_t n : Fake().readSizes)
        drained += n;
    EXPECT_GT(drained, 0u);
    EXPECT_LE(drained, std::size_t(Serial::DrainByteBudget));
}

TEST_F(SerialFake, ReadTimeOutIs500msPlusOnePerByte)
{
    ASSERT_TRUE(Serial::OpenPort("COM1", 9600));
    std::uint8_t buf[259];
    Serial::ReadBytes(buf, 1);
    Serial::ReadBytes(buf, 256);
    Serial::ReadBytes(buf, 259);
    EXPECT_EQ(Fake().readTimeouts, (std::vector<int>{501, 756, 759}));
}

TEST_F(SerialFake, OnlyOnePortIsEverOpen)
{
    ASSERT_TRUE(Serial::OpenPort("COM1", 9600));
    ASSERT_TRUE(Serial::OpenPort("COM2", 9600));
    EXPECT_EQ(Fake().opens, 2);
    EXPECT_EQ(Fake().closes, 1);
    Serial::ClosePort();
    Serial::ClosePort();
    EXPECT_EQ(Fake().closes, 2);
}
