// The simulator as a process, through its pty, as every other test sees it.
#include <gtest/gtest.h>

#include <chrono>
#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "tests/sim/RawPort.h"
#include "tests/support/SimProcess.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes Pattern(int seed)
{
    Bytes b(256);
    for (int i = 0; i < 256; ++i) b[i] = static_cast<std::uint8_t>((i * 7 + seed * 31 + (i >> 3)) & 0xFF);
    return b;
}

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// A private folder that goes away with the test, also when it fails.
struct TempDir {
    explicit TempDir(const std::string& name)
        : path(fs::temp_directory_path() / (name + "-" + std::to_string(::getpid())))
    {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    std::string operator/(const std::string& name) const { return (path / name).string(); }
    fs::path path;
};

// The tx line of a reply is written after its last byte went out, so a
// client that has the reply may still be ahead of the trace.
std::vector<std::string> WaitForTxLines(const SimProcess& sim, std::size_t n)
{
    auto lines = sim.TxLines();
    for (int i = 0; i < 200 && lines.size() < n; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        lines = sim.TxLines();
    }
    return lines;
}

// Starts the simulator without the test support, for the cases it is not
// made for (start-up failures, a link path chosen by the test).
pid_t Spawn(std::vector<std::string> args)
{
    args.insert(args.begin(), VESK_SIM_PATH);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlive a failed test
        const int devnull = ::open("/dev/null", O_WRONLY);
        ::dup2(devnull, STDOUT_FILENO);
        ::dup2(devnull, STDERR_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    return pid;
}

// Exit status of a simulator that should stop by itself; −1 if it is still
// running after 5 s.
int RunToExit(std::vector<std::string> args)
{
    const pid_t pid = Spawn(std::move(args));
    int status = 0;
    for (int i = 0; i < 500; ++i) {
        if (::waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return -1;
}

struct ReplyCase {
    std::uint8_t command;
    std::size_t length;
};

TEST(SimProtocol, EveryCommandGetsExactlyItsReplyLength)
{
    std::vector<ReplyCase> cases = {{0x00, 4}, {0x40, 8}, {0x41, 8}, {0x42, 8}, {0x43, 10}, {0x44, 16},
                                    {0x45, 259}, {0x50, 0}, {0x46, 0}, {0x51, 0}, {0xFF, 0}};
    for (int p = 0; p < 16; ++p) cases.push_back({static_cast<std::uint8_t>(0x20 + p), 256});
    SimProcess sim(VESK_SIM_PATH);
    RawPort port(sim.LinkPath());
    ASSERT_TRUE(port.IsOpen());
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "command 0x" << std::hex << int(c.command));
        EXPECT_EQ(port.Exchange(c.command, c.length).size(), c.length);
        EXPECT_TRUE(port.ReadFor(80).empty());
    }
}

TEST(SimProtocol, SequencesAreAcknowledgedByteByByteExceptTheLast)
{
    SimProcess sim(VESK_SIM_PATH);
    RawPort port(sim.LinkPath());
    EXPECT_EQ(port.WritePage(5, Pattern(1)), 256);
    EXPECT_TRUE(port.ReadFor(100).empty()) << "the last data byte must stay unanswered";

    for (std::uint8_t b : {0x10, 7, 5, 23}) {
        EXPECT_EQ(port.Exchange(b, 1).size(), 1u);
        EXPECT_TRUE(port.ReadFor(50).empty());
    }
    port.Write({6});
    EXPECT_TRUE(port.ReadFor(100).empty());
    // Back in command state: a clock read is answered as such.
    EXPECT_EQ(port.Exchange(0x00, 4).size(), 4u);
}

TEST(SimProtocol, WrittenPageReadsBackAndOthersStay)
{
    SimProcess sim(VESK_SIM_PATH);
    RawPort port(sim.LinkPath());
    const Bytes before6 = port.ReadPage(6);
    const Bytes before8 = port.ReadPage(8);
    ASSERT_EQ(port.WritePage(7, Pattern(2)), 256);
    EXPECT_EQ(port.ReadPage(7), Pattern(2));
    EXPECT_EQ(port.ReadPage(6), before6);
    EXPECT_EQ(port.ReadPage(8), before8);
}

TEST(SimProtocol, EepromFileSurvivesRestartAndIsSavedAfterEachWrite)
{
    const TempDir dir("vesk-sim-eeprom");
    const std::string file = dir / "image.bin";
    {
        SimProcess sim(VESK_SIM_PATH, {"--eeprom", file});
        RawPort port(sim.LinkPath());
        const Bytes builtIn = port.ReadPage(0);
        ASSERT_EQ(port.WritePage(9, Pattern(3)), 256);
        // Saved when the write completes, not only at exit.
        Bytes saved;
        for (int i = 0; i < 200 && saved.size() != 4096; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            saved = ReadFile(file);
        }
        ASSERT_EQ(saved.size(), 4096u);
        EXPECT_EQ(Bytes(saved.begin() + 9 * 256, saved.begin() + 10 * 256), Pattern(3));
        EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 256), builtIn);
        EXPECT_EQ(sim.Stop(), 0);
    }
    {
        SimProcess sim(VESK_SIM_PATH, {"--eeprom", file});
        RawPort port(sim.LinkPath());
        EXPECT_EQ(port.ReadPage(9), Pattern(3));
    }
    // Atomic saving leaves no temporary file behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(SimProtocol, EepromFileOfWrongSizeIsRefused)
{
    const TempDir dir("vesk-sim-bad");
    { std::ofstream(dir / "short.bin", std::ios::binary) << std::string(4095, 'x'); }
    EXPECT_EQ(RunToExit({"--link", dir / "tty", "--eeprom", dir / "short.bin"}), 2);
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "tty")));
}

TEST(SimProtocol, ClockSetReadsBackWithWeekday)
{
    SimProcess sim(VESK_SIM_PATH, {"--clock", "08:00:00:0"});
    RawPort port(sim.LinkPath());
    const Bytes start = port.Exchange(0x00, 4);
    ASSERT_EQ(start.size(), 4u);
    EXPECT_EQ(start[2], 8);
    EXPECT_EQ(start[3], 0);

    for (std::uint8_t b : {0x10, 7, 5, 23}) ASSERT_EQ(port.Exchange(b, 1).size(), 1u);
    port.Write({6});
    const Bytes now = port.Exchange(0x00, 4);
    ASSERT_EQ(now.size(), 4u);
    EXPECT_GE(now[0], 7);
    EXPECT_LE(now[0], 8);
    EXPECT_EQ(now[1], 5);
    EXPECT_EQ(now[2], 23);
    EXPECT_EQ(now[3], 6);
}

TEST(SimProtocol, TraceRecordsRolesExactly)
{
    SimProcess sim(VESK_SIM_PATH);
    RawPort port(sim.LinkPath());
    const Bytes page1 = port.ReadPage(1);
    ASSERT_EQ(port.WritePage(1, page1), 256);
    for (std::uint8_t b : {0x10, 1, 2, 3}) port.Exchange(b, 1);
    port.Write({4});
    port.Exchange(0x99, 0);
    port.Exchange(0x00, 4);

    std::vector<TraceEntry> expected = {{"cmd", 0x21}, {"cmd", 0x31}};
    for (std::uint8_t b : page1) expected.push_back({"data", b});
    expected.insert(expected.end(), {{"cmd", 0x10}, {"data", 1}, {"data", 2}, {"data", 3}, {"data", 4},
                                     {"cmd", 0x99}, {"cmd", 0x00}});
    ASSERT_TRUE(sim.WaitForTraceCount(expected.size(), 2000));
    const auto trace = sim.Trace();
    ASSERT_EQ(trace.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(trace[i].role, expected[i].role) << "line " << i;
        EXPECT_EQ(trace[i].byte, expected[i].byte) << "line " << i;
    }
    EXPECT_EQ(sim.Received().size(), expected.size());
    // One tx line per reply: the page, 256 acks of the write, 4 of the clock
    // setting, the clock; the last data bytes and 0x99 have none.
    EXPECT_EQ(WaitForTxLines(sim, 1u + 256u + 4u + 1u).size(), 1u + 256u + 4u + 1u);
}

TEST(SimProtocol, NoAckAfterWithholdsThatByteAndAbandonsTheWrite)
{
    SimProcess sim(VESK_SIM_PATH, {"--no-ack-after", "100"});
    RawPort port(sim.LinkPath());
    const Bytes before = port.ReadPage(4);
    const Bytes data = Pattern(4);
    EXPECT_EQ(port.WritePage(4, data), 101);  // the command and bytes 0..99
    const Bytes after = port.ReadPage(4);      // understood as a command again
    ASSERT_EQ(after.size(), 256u);
    EXPECT_TRUE(std::equal(after.begin(), after.begin() + 100, data.begin()));
    EXPECT_TRUE(std::equal(after.begin() + 100, after.end(), before.begin() + 100));
}

TEST(SimProtocol, ShortReplyCutsOnlyThatCommand)
{
    SimProcess sim(VESK_SIM_PATH, {"--short-reply", "0x44:5", "--short-reply", "21:0"});
    RawPort port(sim.LinkPath());
    EXPECT_EQ(port.Exchange(0x44, 16).size(), 5u);
    EXPECT_EQ(port.Exchange(0x21, 256).size(), 0u);
    EXPECT_EQ(port.Exchange(0x20, 256).size(), 256u);
    EXPECT_EQ(port.Exchange(0x43, 10).size(), 10u);
}

TEST(SimProtocol, StaleBytesFollowEveryReplyAndAck)
{
    SimProcess sim(VESK_SIM_PATH, {"--stale", "3"});
    RawPort port(sim.LinkPath());
    const std::vector<ReplyCase> cases = {{0x00, 4}, {0x43, 10}, {0x10, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 0}, {0x50, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "byte 0x" << std::hex << int(c.command));
        const std::size_t expected = c.length == 0 ? 0 : c.length + 3;  // nothing behind no reply
        EXPECT_EQ(port.Exchange(c.command, expected).size(), expected);
        EXPECT_TRUE(port.ReadFor(50).empty());
    }
}

TEST(SimProtocol, LineSpeedPacesAPageReadAndTracesLateness)
{
    SimProcess sim(VESK_SIM_PATH, {"--line-speed", "9600"});
    RawPort port(sim.LinkPath());
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(port.Exchange(0x20, 256).size(), 256u);
    const auto took = std::chrono::steady_clock::now() - begin;
    EXPECT_GE(took, std::chrono::milliseconds(250));  // 257 byte times ≈ 268 ms
    const auto tx = WaitForTxLines(sim, 1);
    ASSERT_EQ(tx.size(), 1u);
    EXPECT_NE(tx[0].find(" tx 256 late_us="), std::string::npos) << tx[0];
}

TEST(SimProtocol, DelayHoldsRepliesButNotAStop)
{
    {
        SimProcess sim(VESK_SIM_PATH, {"--delay", "300"});
        RawPort port(sim.LinkPath());
        const auto begin = std::chrono::steady_clock::now();
        EXPECT_EQ(port.Exchange(0x00, 4).size(), 4u);
        EXPECT_GE(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(290));
    }
    SimProcess sim(VESK_SIM_PATH, {"--delay", "60000"});
    RawPort port(sim.LinkPath());
    port.Write({0x00});
    ASSERT_TRUE(sim.WaitForTraceCount(1, 2000));
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(2));
    EXPECT_FALSE(fs::exists(fs::symlink_status(sim.LinkPath())));
}

TEST(SimProtocol, NewHourAdvancesTheLogAndSavesWithoutTraffic)
{
    const TempDir dir("vesk-sim-hour");
    const std::string file = dir / "image.bin";
    // Log index 0 in a blank image, so the expected index does not depend
    // on whether the hour turned before this test could look.
    { std::ofstream(file, std::ios::binary) << std::string(4096, '\0'); }
    SimProcess sim(VESK_SIM_PATH, {"--clock", "10:59:59:0", "--eeprom", file});
    Bytes saved;
    for (int i = 0; i < 300 && (saved.size() != 4096 || saved[6] == 0); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        saved = ReadFile(file);
    }
    ASSERT_EQ(saved.size(), 4096u);
    EXPECT_EQ(saved[6], 1);
    RawPort port(sim.LinkPath());
    const Bytes page0 = port.ReadPage(0);
    ASSERT_EQ(page0.size(), 256u);
    EXPECT_EQ(page0[6], 1);
    const Bytes clock = port.Exchange(0x00, 4);
    ASSERT_EQ(clock.size(), 4u);
    EXPECT_EQ(clock[2], 11);
    sim.Stop();
}

TEST(SimProtocol, DebugDumpHoldsASavedFrameBelowTheStackPointer)
{
    SimProcess sim(VESK_SIM_PATH);
    RawPort port(sim.LinkPath());
    const Bytes d = port.Exchange(0x45, 259);
    ASSERT_EQ(d.size(), 259u);
    const int s = d[256];
    EXPECT_GE(s, 0x80 + 10) << "the ten saved bytes lie on the stack above 0x80";
    EXPECT_TRUE(d[257] & 0x80) << "interrupts enabled";
    EXPECT_EQ(d[s - 8] & 0x18, 0) << "saved PSW selects register bank 0, so R2..R7 are at 2..7";
    const int pc = d[s - 9] << 8 | d[s - 10];
    EXPECT_GT(pc, 0x0030) << "PC past the interrupt vectors";
    EXPECT_LT(pc, 0x2000) << "PC inside the code memory";
}

TEST(SimProtocol, BuiltInImageKeepsPreservedBytesAndCzechNames)
{
    SimProcess sim(VESK_SIM_PATH);
    RawPort port(sim.LinkPath());
    const Bytes p = port.ReadPage(0);
    ASSERT_EQ(p.size(), 256u);
    std::vector<int> preserved = {6, 12, 13, 14, 15, 22, 30, 31};
    for (int i = 45; i < 128; ++i) preserved.push_back(i);
    for (int i : preserved) EXPECT_NE(p[i], 0) << "byte " << i;

    // "Zeď sever" in Windows-1250 somewhere among the name slots.
    const Bytes wall = {'Z', 'e', 0xEF, ' ', 's', 'e', 'v', 'e', 'r', 0x00};
    EXPECT_NE(std::search(p.begin() + 128, p.end(), wall.begin(), wall.end()), p.end());
    bool fullSlot = false, blankSlot = false;
    for (int i = 0; i < 8; ++i) {
        const auto slot = p.begin() + 128 + 16 * i;
        fullSlot |= std::none_of(slot, slot + 16, [](std::uint8_t b) { return b == 0x00 || b == 0xFF; });
        blankSlot |= std::all_of(slot, slot + 16, [](std::uint8_t b) { return b == 0xFF; });
    }
    EXPECT_TRUE(fullSlot) << "one name of 16 characters without terminator";
    EXPECT_TRUE(blankSlot) << "one slot never written";
}

TEST(SimProtocol, SurvivesManyClientOpenCloseCycles)
{
    SimProcess sim(VESK_SIM_PATH);
    for (int i = 0; i < 25; ++i) {
        RawPort port(sim.LinkPath());
        ASSERT_TRUE(port.IsOpen());
        ASSERT_EQ(port.Exchange(0x00, 4).size(), 4u) << "cycle " << i;
    }
}

TEST(SimProtocol, SigtermRemovesTheLinkAndExitsZero)
{
    SimProcess sim(VESK_SIM_PATH);
    ASSERT_TRUE(fs::is_symlink(sim.LinkPath()));
    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(sim.LinkPath())));
    EXPECT_EQ(sim.Stop(), 0);  // idempotent
}

TEST(SimProtocol, StaleSymlinkIsReplacedButAFileIsNot)
{
    const TempDir dir("vesk-sim-link");
    { std::ofstream(dir / "file") << "keep"; }
    EXPECT_NE(RunToExit({"--link", dir / "file"}), 0);
    EXPECT_EQ(ReadFile(dir / "file").size(), 4u);

    const std::string link = dir / "tty";
    fs::create_symlink("/dev/pts/left-over", link);
    const pid_t pid = Spawn({"--link", link});
    std::error_code ec;
    for (int i = 0; i < 500 && fs::read_symlink(link, ec) == "/dev/pts/left-over"; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    {
        RawPort port(link);
        EXPECT_EQ(port.Exchange(0x00, 4).size(), 4u);
    }
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
}

TEST(SimProtocol, BadOptionsExitWithTwo)
{
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"--link"},
        {"--link", "/tmp/x", "--bogus"},
        {"--link", "/tmp/x", "--line-speed", "fast"},
        {"--link", "/tmp/x", "--no-ack-after", "255"},
        {"--link", "/tmp/x", "--short-reply", "44"},
        {"--link", "/tmp/x", "--short-reply", "zz:1"},
        {"--link", "/tmp/x", "--clock", "24:00:00:0"},
        {"--link", "/tmp/x", "--clock", "12:00:00"},
        {"--link", "/tmp/x", "--info-hex", "123"},
    };
    for (const auto& args : bad) {
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_EQ(RunToExit(args), 2) << joined;
    }
    EXPECT_EQ(RunToExit({"--help"}), 0);
}

TEST(SimProtocol, InfoHexIsPaddedWithZeros)
{
    SimProcess sim(VESK_SIM_PATH, {"--info-hex", "41420a"});
    RawPort port(sim.LinkPath());
    Bytes expected(16, 0x00);
    expected[0] = 0x41;
    expected[1] = 0x42;
    expected[2] = 0x0A;
    EXPECT_EQ(port.Exchange(0x44, 16), expected);
}

}  // namespace
