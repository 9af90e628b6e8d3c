// The transaction against the Controller simulator on a pty: what crossed
// the line is compared, byte for byte, with the simulator's trace.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/Commands.h"
#include "link/Transaction.h"
#include "tests/support/SimLinkTest.h"

namespace {

struct Reports {
    int failures = 0;
    int timerStops = 0;
    int cursor = Cursor::Default;
};

class TransactionSim : public SimLinkTest {
protected:
    std::vector<std::uint8_t> Sent() const { return sim->Received(); }

    Reports reports;
    ControllerLink link{WindowServices{
        [this] { return reports.cursor; },
        [this](int c) { reports.cursor = c; },
        [this] { ++reports.timerStops; },
        [this](const std::string&) { ++reports.failures; },
    }};
};

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
    EXPECT_EQ(reports.cursor, Cursor::Default);

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
    reports.cursor = 42;
    EXPECT_FALSE(link.WritePage(5, Pattern(5)));
    EXPECT_EQ(reports.failures, 1);
    EXPECT_EQ(reports.timerStops, 1);
    EXPECT_EQ(reports.cursor, Cursor::Default);
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
    std::vector<int> seen;
    link.Services().setCursor = [&](int c) {
        seen.push_back(c);
        reports.cursor = c;
    };
    reports.cursor = 3;
    std::uint8_t reply[16];
    ASSERT_TRUE(link.Transact(Command::Status, reply, 10));
    EXPECT_EQ(seen, (std::vector<int>{3}));
    seen.clear();
    // An 11-byte reply that arrives shows the hourglass and restores.
    ASSERT_TRUE(link.Transact(Command::Info, reply, 11));
    EXPECT_EQ(seen, (std::vector<int>{Cursor::Hourglass, 3}));
    seen.clear();
    // The full 16 do not come: the cursor is restored after the failure too.
    EXPECT_FALSE(link.Transact(Command::Info, reply, 16));
    EXPECT_EQ(seen, (std::vector<int>{Cursor::Hourglass, 3}));
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
