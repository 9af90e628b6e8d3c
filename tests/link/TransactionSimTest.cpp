// The transaction against the Controller simulator on a pty: what crossed
// the line is compared, byte for byte, with the simulator's trace.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "link/Commands.h"
#include "link/Transaction.h"
#include "shell/WindowLinkObserver.h"
#include "tests/support/RecordingBusy.h"
#include "tests/support/SimLinkTest.h"

namespace {

struct Reports {
    int failures = 0;
    int timerStops = 0;
    RecordingBusy busy;
};

class TransactionSim : public SimLinkTest {
protected:
    std::vector<std::uint8_t> Sent() const { return sim->Received(); }
    // A file in a folder of this test's own, removed with the fixture.
    std::string TempFile(const char* name)
    {
        if (dir.empty()) {
            std::string pattern = (std::filesystem::temp_directory_path() / "vesk-test-XXXXXX").string();
            if (mkdtemp(pattern.data()))
                dir = pattern;
        }
        return dir + "/" + name;
    }
    void TearDown() override
    {
        SimLinkTest::TearDown();
        sim.reset();  // it saves its image into the folder at exit
        if (!dir.empty())
            std::filesystem::remove_all(dir);
    }
    std::string dir;

    Reports reports;
    WindowLinkObserver window{&reports.busy, [this] { ++reports.timerStops; }, [this] { ++reports.failures; }};
    ControllerLink link{&window};
};

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

PageBuffer Pattern(int page)
{
    PageBuffer p;
    for (int i = 0; i < 256; ++i)
        p[i] = static_cast<std::uint8_t>(i * 7 + page * 31 + 3);
    return p;
}

}  // namespace

TEST_F(TransactionSim, AllSixteenPagesRoundTrip)
{
    Start();
    for (int page = 0; page < 16; ++page)
        ASSERT_TRUE(link.WritePage(page, Pattern(page))) << "page " << page;
    for (int page = 0; page < 16; ++page) {
        PageBuffer back{};
        ASSERT_TRUE(link.ReadPage(page, back)) << "page " << page;
        EXPECT_EQ(back, Pattern(page)) << "page " << page;
    }
    EXPECT_EQ(reports.failures, 0);
    EXPECT_EQ(reports.busy.shown, "normal");

    // Every page write went out as the command followed by its 256 bytes.
    auto trace = sim->Trace();
    ASSERT_EQ(trace.size(), 16u * 257 + 16);
    for (int page = 0; page < 16; ++page) {
        const auto& cmd = trace[page * 257];
        EXPECT_EQ(cmd.role, "cmd");
        EXPECT_EQ(cmd.byte, 0x30 + page);
        for (int i = 0; i < 256; ++i) {
            const auto& data = trace[page * 257 + 1 + i];
            ASSERT_EQ(data.role, "data");
            ASSERT_EQ(data.byte, Pattern(page)[i]);
        }
    }
}

TEST_F(TransactionSim, MissingAcknowledgementAfterByte100)
{
    Start({"--no-ack-after", "100"});
    reports.busy.shown = "cross";
    EXPECT_FALSE(link.WritePage(5, Pattern(5)));
    EXPECT_EQ(reports.failures, 1);
    EXPECT_EQ(reports.timerStops, 1);
    EXPECT_EQ(reports.busy.shown, "normal");
    // The command, then bytes 0..100, and not one byte after the failure.
    auto sent = Sent();
    ASSERT_EQ(sent.size(), 102u);
    EXPECT_EQ(sent[0], 0x35);
    EXPECT_EQ(sent.back(), Pattern(5)[100]);
}

TEST_F(TransactionSim, StaleBytesBeforeAReplyAreDrained)
{
    Start({"--stale", "37"});
    PageBuffer first{}, second{};
    ASSERT_TRUE(link.ReadPage(1, first));
    // 37 junk bytes now sit in the queue; the next reply must not start with them.
    ASSERT_TRUE(link.ReadPage(1, second));
    EXPECT_EQ(first, second);
    std::uint8_t clock[4];
    ASSERT_TRUE(link.Transact(Command::ReadClock, clock, 4));
    EXPECT_LT(clock[0], 60);
    EXPECT_LT(clock[1], 60);
    EXPECT_LT(clock[2], 24);
    EXPECT_LT(clock[3], 7);
    EXPECT_EQ(reports.failures, 0);
}

// The report is a modal box: by the time the user has closed it, a reply
// that came too late has arrived, and the next exchange drains it.
TEST_F(TransactionSim, AReplyJustAfterItsDeadlineFailsOnceAndIsNotTakenForTheNext)
{
    // The simulator answers after 600 ms: past the 504 ms of a 4-byte reply,
    // within the 756 ms of a page.
    const std::string eeprom = TempFile("eeprom.bin");
    std::vector<std::uint8_t> image(16 * 256);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = std::uint8_t(i * 13 + 5);
    WriteFile(eeprom, image);
    Start({"--delay", "600", "--eeprom", eeprom});
    window.SetReportFailure([this] {
        ++reports.failures;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    });

    std::uint8_t clock[4];
    EXPECT_FALSE(link.Transact(Command::ReadClock, clock, 4));
    EXPECT_EQ(reports.failures, 1);
    EXPECT_EQ(reports.timerStops, 1);

    PageBuffer page{};
    ASSERT_TRUE(link.ReadPage(2, page));
    EXPECT_TRUE(std::equal(page.begin(), page.end(), image.begin() + 2 * 256)) << "late clock bytes taken for the page";
    EXPECT_EQ(reports.failures, 1);
}

TEST_F(TransactionSim, AReplyJustBeforeItsDeadlineIsTaken)
{
    Start({"--delay", "420"});
    std::uint8_t clock[4];
    EXPECT_TRUE(link.Transact(Command::ReadClock, clock, 4));
    EXPECT_EQ(reports.failures, 0);
}

// An abandoned page write leaves the Controller listening for commands
// again; the next read must neither fail nor pick up an acknowledgement.
TEST_F(TransactionSim, AFailedWriteIsFollowedByACleanRead)
{
    Start({"--no-ack-after", "100"});
    PageBuffer before{};
    ASSERT_TRUE(link.ReadPage(4, before));
    EXPECT_FALSE(link.WritePage(4, Pattern(4)));
    EXPECT_EQ(reports.failures, 1);

    PageBuffer after{}, again{};
    ASSERT_TRUE(link.ReadPage(4, after));
    ASSERT_TRUE(link.ReadPage(4, again));
    EXPECT_EQ(after, again);
    // Whatever the Controller kept of the broken write, the rest of the page
    // is as it was.
    EXPECT_TRUE(std::equal(after.begin() + 101, after.end(), before.begin() + 101));
    std::uint8_t clock[4];
    EXPECT_TRUE(link.Transact(Command::ReadClock, clock, 4));
    EXPECT_EQ(reports.failures, 1);
}

TEST_F(TransactionSim, Page16AddressesPage0)
{
    Start();
    PageBuffer p16{}, p0{};
    ASSERT_TRUE(link.ReadPage(16, p16));
    ASSERT_TRUE(link.ReadPage(0, p0));
    EXPECT_EQ(p16, p0);
    ASSERT_TRUE(link.WritePage(16, Pattern(9)));
    auto sent = Sent();
    EXPECT_EQ(sent[0], 0x20);
    EXPECT_EQ(sent[1], 0x20);
    EXPECT_EQ(sent[2], 0x30);
}

TEST_F(TransactionSim, CursorRuleForTenAndElevenByteReplies)
{
    Start({"--short-reply", "0x44:11"});
    RecordingBusy busy("cross");
    window.SetBusy(&busy);
    std::uint8_t reply[16];
    ASSERT_TRUE(link.Transact(Command::Status, reply, 10));
    EXPECT_EQ(busy.history, (std::vector<std::string>{"cross"}));
    busy.history.clear();
    // An 11-byte reply that arrives shows the hourglass and restores.
    ASSERT_TRUE(link.Transact(Command::Info, reply, 11));
    EXPECT_EQ(busy.history, (std::vector<std::string>{"hourglass", "cross"}));
    busy.history.clear();
    // The full 16 do not come: the cursor is restored after the failure too.
    EXPECT_FALSE(link.Transact(Command::Info, reply, 16));
    EXPECT_EQ(busy.history, (std::vector<std::string>{"hourglass", "cross"}));
    EXPECT_EQ(reports.failures, 1);
}

TEST_F(TransactionSim, EveryCommandGetsItsReplyLength)
{
    Start();
    struct Case {
        std::uint8_t command;
        std::uint16_t length;
    };
    const Case cases[] = {
        {Command::ReadClock, 4},  {Command::SensorsAd, 8}, {Command::SensorsTemp, 8},
        {Command::SensorsCurrent, 8}, {Command::Status, 10}, {Command::Info, 16},
        {Command::DebugDump, 259}, {Command::ReadPage(12), 256},
    };
    std::uint8_t reply[259];
    for (const auto& c : cases)
        EXPECT_TRUE(link.Transact(c.command, reply, c.length)) << int(c.command);
    EXPECT_TRUE(link.Transact(Command::Reset, nullptr, 0));
    // A reset awaits nothing and the simulator sends nothing: the next
    // exchange is clean.
    EXPECT_TRUE(link.Transact(Command::ReadClock, reply, 4));
    EXPECT_EQ(reports.failures, 0);
}

// On a real line: a reply cut short says how much of it came, a Controller
// that went away says so, and after it the port is gone.
TEST_F(TransactionSim, FailuresSayWhy)
{
    Start({"--short-reply", "0x21:100"});
    PageBuffer page{};
    EXPECT_FALSE(link.ReadPage(1, page));
    EXPECT_EQ(link.LastFailure(),
              (LinkFailure{LinkFailure::Reason::TimeOut, 0x21, 256, 100, LinkFailure::Step::PageRead, 1}));

    sim->Stop();
    EXPECT_FALSE(link.ReadPage(2, page));
    EXPECT_EQ(link.LastFailure().reason, LinkFailure::Reason::HungUp) << Describe(link.LastFailure());
    EXPECT_FALSE(link.WritePage(2, page));
    EXPECT_EQ(link.LastFailure(),
              (LinkFailure{LinkFailure::Reason::NoPort, 0x32, 1, 0, LinkFailure::Step::PageCommand, 2}));
    EXPECT_EQ(reports.failures, 3);
}
