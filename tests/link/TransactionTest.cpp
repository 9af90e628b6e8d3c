// The transaction's own rules against the fake port: what goes out, the
// cursor, and that a failure is reported once, after the timer is stopped.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/FakePort.h"
#include "link/Commands.h"
#include "link/Serial.h"
#include "link/Transaction.h"
#include "tests/support/RecordingBusy.h"

namespace {

// Records the window services in the order they are used.
struct Window {
    RecordingBusy busy{"cross"};  // some cursor the window had set
    std::vector<std::string> events;

    WindowServices Services()
    {
        return WindowServices{
            &busy,
            [this] { events.push_back("stop-timer"); },
            [this] { events.push_back("report"); },
        };
    }
};

// A Controller that acknowledges everything: one byte per request, or the
// given reply length for the command bytes it knows.
void AnswerEveryByte(std::size_t ackAfterCount = SIZE_MAX)
{
    Fake().onWrite = [ackAfterCount](const std::vector<std::uint8_t>&) {
        if (Fake().written.size() <= ackAfterCount)
            Fake().input.push_back(0x06);
    };
}

class TransactionFake : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallFake();
        ASSERT_TRUE(Serial::OpenPort("COM1", 9600));
    }
    void TearDown() override
    {
        Serial::ClosePort();
        UninstallFake();
    }
    Window window;
    ControllerLink link{window.Services()};
};

}  // namespace

TEST_F(TransactionFake, TenByteReplyLeavesTheCursorAloneElevenShowsTheHourglass)
{
    Fake().onWrite = [](const std::vector<std::uint8_t>&) { Fake().input.assign(11, 0x01); };
    std::uint8_t reply[11];
    ASSERT_TRUE(link.Transact(Command::Status, reply, 10));
    EXPECT_EQ(window.busy.history, (std::vector<std::string>{"cross"}));
    window.busy.history.clear();
    ASSERT_TRUE(link.Transact(Command::Info, reply, 11));
    EXPECT_EQ(window.busy.history, (std::vector<std::string>{"hourglass", "cross"}));
    EXPECT_EQ(window.busy.shown, "cross");
}

TEST_F(TransactionFake, FailureRestoresTheCursorStopsTheTimerThenReportsOnce)
{
    std::uint8_t reply[16];
    Fake().onWrite = [](const std::vector<std::uint8_t>&) { Fake().input.assign(5, 0x41); };
    EXPECT_FALSE(link.Transact(Command::Info, reply, 16));
    EXPECT_EQ(window.busy.shown, "cross");
    EXPECT_EQ(window.events, (std::vector<std::string>{"stop-timer", "report"}));
}

TEST_F(TransactionFake, StaleInputIsDrainedBeforeTheRequestGoesOut)
{
    Fake().input.assign(300, 0xEE);
    Fake().onWrite = [](const std::vector<std::uint8_t>&) {
        for (std::uint8_t b : {9, 5, 14, 2})
            Fake().input.push_back(b);
    };
    std::uint8_t clock[4];
    ASSERT_TRUE(link.Transact(Command::ReadClock, clock, 4));
    EXPECT_EQ(std::vector<std::uint8_t>(clock, clock + 4), (std::vector<std::uint8_t>{9, 5, 14, 2}));
    EXPECT_TRUE(window.events.empty());
}

TEST_F(TransactionFake, ZeroLengthReplySucceedsOnceWritten)
{
    ASSERT_TRUE(link.Transact(Command::Reset, nullptr, 0));
    EXPECT_EQ(Fake().written, (std::vector<std::uint8_t>{0x50}));
    EXPECT_TRUE(Fake().readSizes.empty());
}

TEST_F(TransactionFake, NoPortFailsWithTheOneReport)
{
    Serial::ClosePort();
    std::uint8_t reply[4];
    EXPECT_FALSE(link.Transact(Command::ReadClock, reply, 4));
    EXPECT_EQ(window.events, (std::vector<std::string>{"stop-timer", "report"}));
}

TEST_F(TransactionFake, PageNumbersAreTakenModulo16)
{
    Fake().onWrite = [](const std::vector<std::uint8_t>&) { Fake().input.assign(256, 0); };
    PageBuffer page{};
    ASSERT_TRUE(link.ReadPage(16, page));
    ASSERT_TRUE(link.ReadPage(15, page));
    ASSERT_TRUE(link.ReadPage(-1, page));
    EXPECT_EQ(Fake().written, (std::vector<std::uint8_t>{0x20, 0x2F, 0x2F}));
}

TEST_F(TransactionFake, PageWriteSendsCommandThen256BytesLastOneUnanswered)
{
    AnswerEveryByte();
    PageBuffer page;
    for (int i = 0; i < 256; ++i)
        page[i] = static_cast<std::uint8_t>(255 - i);
    ASSERT_TRUE(link.WritePage(17, page));
    ASSERT_EQ(Fake().written.size(), 257u);
    EXPECT_EQ(Fake().written[0], 0x31);
    EXPECT_TRUE(std::equal(page.begin(), page.end(), Fake().written.begin() + 1));
    // 256 awaited acknowledgements (command + bytes 0..254), none after 255.
    EXPECT_EQ(Fake().readSizes.size(), 256u);
    EXPECT_EQ(window.busy.shown, "normal");
    EXPECT_TRUE(window.events.empty());
}

TEST_F(TransactionFake, MissingAcknowledgementStopsThePageWriteWithOneReport)
{
    // The command and data bytes 0..99 are acknowledged; byte 100 is not.
    AnswerEveryByte(101);
    PageBuffer page{};
    EXPECT_FALSE(link.WritePage(0, page));
    EXPECT_EQ(Fake().written.size(), 102u) << "no byte may follow the unacknowledged one";
    EXPECT_EQ(window.events, (std::vector<std::string>{"stop-timer", "report"}));
    EXPECT_EQ(window.busy.shown, "normal") << "a page write ends with the default cursor";
}

TEST_F(TransactionFake, UnacknowledgedPageCommandSendsNoData)
{
    PageBuffer page{};
    EXPECT_FALSE(link.WritePage(3, page));
    EXPECT_EQ(Fake().written, (std::vector<std::uint8_t>{0x33}));
    EXPECT_EQ(window.busy.shown, "cross") << "nothing of the write had started: the window's cursor is back";
    EXPECT_EQ(window.events.size(), 2u);
}

TEST_F(TransactionFake, AcknowledgedSequenceAwaitsNothingAfterTheLastByte)
{
    AnswerEveryByte();
    const std::uint8_t clockSet[] = {0x10, 0x07, 0x05, 0x17, 0x06};
    ASSERT_TRUE(link.SendAcknowledged(clockSet, 5));
    EXPECT_EQ(Fake().written, std::vector<std::uint8_t>(clockSet, clockSet + 5));
    EXPECT_EQ(Fake().readSizes, (std::vector<std::size_t>{1, 1, 1, 1}));
}
