// The transaction's own rules against the fake port: what goes out, the
// cursor, and that a failure is reported once, after the timer is stopped.
#include <gtest/gtest.h>

#include <QLoggingCategory>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/FakePort.h"
#include "link/Commands.h"
#include "link/Serial.h"
#include "link/Transaction.h"
#include "shell/WindowLinkObserver.h"
#include "tests/support/FailureCallback.h"
#include "tests/support/RecordingBusy.h"

namespace {

// Records what the window does for the link, in order.
struct Window {
    RecordingBusy busy{"cross"};  // some cursor the window had set
    std::vector<std::string> events;
    WindowLinkObserver observer{&busy, [this] { events.push_back("stop-timer"); },
                                [this] { events.push_back("report"); }};
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
    ControllerLink link{&window.observer};
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

// ---- the reason of a failure ------------------------------------------------

namespace {

LinkFailure Expected(LinkFailure::Reason reason, std::uint8_t request, std::uint16_t expected, std::uint16_t arrived,
                     LinkFailure::Step step = LinkFailure::Step::Exchange, int page = -1, int index = -1)
{
    return {reason, request, expected, arrived, step, page, index};
}

}  // namespace

// Each way an exchange can fail, alone and inside the page operations: the
// reason the observer hears is the one the link keeps, and the window's
// report comes once all the same.
TEST_F(TransactionFake, EveryFailureCarriesItsReasonPageAndStep)
{
    using R = LinkFailure::Reason;
    using S = LinkFailure::Step;
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::function<bool(ControllerLink&)> act;
        LinkFailure expected;
    };
    std::uint8_t reply[16];
    PageBuffer page{};
    const std::uint8_t clockSet[] = {0x10, 7, 5, 23, 6};
    const Case cases[] = {
        {"time-out, 5 of 16", [] { Fake().onWrite = [](auto&) { Fake().input.assign(5, 0x41); }; },
         [&](ControllerLink& l) { return l.Transact(Command::Info, reply, 16); }, Expected(R::TimeOut, 0x44, 16, 5)},
        {"no port", [] { Serial::ClosePort(); },
         [&](ControllerLink& l) { return l.Transact(Command::ReadClock, reply, 4); }, Expected(R::NoPort, 0x00, 4, 0)},
        {"write error", [] { Fake().failWrite = true; },
         [&](ControllerLink& l) { return l.Transact(Command::Status, reply, 10); }, Expected(R::WriteError, 0x43, 10, 0)},
        {"hang-up", [] { Fake().hangUp = true; },
         [&](ControllerLink& l) { return l.Transact(Command::Status, reply, 10); }, Expected(R::HungUp, 0x43, 10, 0)},
        {"page read, 200 of 256", [] { Fake().onWrite = [](auto&) { Fake().input.assign(200, 0); }; },
         [&](ControllerLink& l) { return l.ReadPage(21, page); },
         Expected(R::TimeOut, 0x25, 256, 200, S::PageRead, 5)},
        {"page write command", [] {}, [&](ControllerLink& l) { return l.WritePage(3, page); },
         Expected(R::TimeOut, 0x33, 1, 0, S::PageCommand, 3)},
        {"page write, data byte 100", [] { AnswerEveryByte(101); }, [&](ControllerLink& l) { return l.WritePage(7, page); },
         Expected(R::TimeOut, 0x00, 1, 0, S::PageData, 7, 100)},
        {"clock setting, byte 2", [] { AnswerEveryByte(2); },
         [&](ControllerLink& l) { return l.SendAcknowledged(clockSet, 5); }, Expected(R::TimeOut, 5, 1, 0, S::Sequence, -1, 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetFake();
        ASSERT_TRUE(Serial::OpenPort("COM1", 9600));
        std::vector<LinkFailure> heard;
        FailureCallback listener{[&](const LinkFailure& f) { heard.push_back(f); }};
        ControllerLink reasoned{&listener};
        c.arrange();
        EXPECT_FALSE(c.act(reasoned));
        ASSERT_EQ(heard.size(), 1u);
        EXPECT_EQ(heard[0], c.expected) << Describe(heard[0]);
        EXPECT_EQ(reasoned.LastFailure(), c.expected);
    }
}

// The category "vesk.link" says nothing until a rule turns its debug
// messages on; then every exchange gives its request, reply and time, and
// a failure its reason.
TEST_F(TransactionFake, TheLinkCategoryTracesEveryExchangeOnlyWhenTurnedOn)
{
    static std::vector<std::string> lines;
    lines.clear();
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext& context,
                                                                const QString& message) {
        if (QLatin1StringView(context.category) == QLatin1StringView("vesk.link"))
            lines.push_back(message.toStdString());
    });
    Fake().onWrite = [](const std::vector<std::uint8_t>&) { Fake().input.assign({0x0A, 0x14, 0x1E, 0x02}); };
    std::uint8_t clock[4];
    ASSERT_TRUE(link.Transact(Command::ReadClock, clock, 4));
    EXPECT_TRUE(lines.empty());

    QLoggingCategory::setFilterRules(QStringLiteral("vesk.link.debug=true"));
    ASSERT_TRUE(link.Transact(Command::ReadClock, clock, 4));
    Fake().onWrite = [](const std::vector<std::uint8_t>&) { Fake().input.assign({0x41, 0x42}); };
    std::uint8_t info[16];
    EXPECT_FALSE(link.Transact(Command::Info, info, 16));
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previous);

    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[0].starts_with("00 -> 4 of 4 bytes in ")) << lines[0];
    EXPECT_TRUE(lines[0].ends_with(" ms: 0a 14 1e 02")) << lines[0];
    EXPECT_TRUE(lines[1].starts_with("44 -> 2 of 16 bytes in ")) << lines[1];
    EXPECT_TRUE(lines[1].ends_with(" ms: 41 42")) << lines[1];
    EXPECT_EQ(lines[2], "failed: request 0x44: time-out, 2 of 16 reply bytes");
}
