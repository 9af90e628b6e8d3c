// The tick of the status poll and the clock setting against a scripted
// Controller: what goes out, what is to be shown, when the regulator view
// is refreshed, and where a failure stops.
#include "controller/StatusPoll.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controller/ClockSetting.h"
#include "link/Serial.h"
#include "shell/WindowLinkObserver.h"
#include "tests/support/FakeController.h"
#include "tests/support/FakePort.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const QDateTime SundayMorning(QDate(2024, 6, 9), QTime(8, 30, 15));

class StatusPoll : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallFake();
        ASSERT_TRUE(Serial::OpenPort("COM1", 9600));
        controller.Install();
        controller.status = {0x0B, 1, 0xFB, 0x2D, 0x04, 0xFE, 0x30, 0x2B, 0xC8, 0x0C};
        controller.temperatures = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};
        controller.current = {0xFF, 0xFE, 0xFD, 0xFC, 0xFB, 0xFA, 0xF9, 0xF8};
        controller.ad = {10, 20, 30, 40, 50, 60, 70, 80};
    }
    void TearDown() override
    {
        Serial::ClosePort();
        UninstallFake();
    }

    StatusShow Tick(bool quick)
    {
        const StatusShow show = RunStatusTick(link, quick, lastMinute, [] { return SundayMorning; }, QLocale::c());
        lastMinute = show.lastStatusMinute;
        return show;
    }
    void SetClock(int minutes, int seconds)
    {
        controller.clock = {std::uint8_t(seconds), std::uint8_t(minutes), 10, 2};
    }

    FakeController controller;
    std::vector<std::string> events;
    WindowLinkObserver window{nullptr, [this] { events.push_back("stop-timer"); },
                              [this] { events.push_back("report"); }};
    ControllerLink link{&window};
    std::uint8_t lastMinute = NoStatusMinute;
};

TEST_F(StatusPoll, NormalViewRefreshesOncePerMinuteNeverOnSecondZero)
{
    const struct {
        bool quick;
        int minutes, seconds;
        Bytes sent;
        bool regulator;
        int lastMinute;
    } ticks[] = {
        {false, 20, 0, {0x00, 0x43}, false, 0xFF},  // entered on second 0: clocks and panels only
        {false, 20, 1, {0x00, 0x43, 0x41}, true, 20},
        {false, 20, 2, {0x00, 0x43}, false, 20},
        {false, 20, 59, {0x00, 0x43}, false, 20},
        {false, 21, 0, {0x00, 0x43}, false, 20},  // a new minute, but second 0
        {false, 21, 1, {0x00, 0x43, 0x41}, true, 21},
        {true, 21, 2, {0x00, 0x43, 0x40, 0x42}, false, 0xFF},
        {true, 21, 3, {0x00, 0x43, 0x40, 0x42}, false, 0xFF},
        {false, 21, 4, {0x00, 0x43, 0x41}, true, 21},  // quick view off: refreshed, same minute or not
        {false, 21, 5, {0x00, 0x43}, false, 21},
        {false, 255, 5, {0x00, 0x43, 0x41}, true, 255},  // a minute the clock should never show
    };
    int n = 0;
    for (const auto& t : ticks) {
        SCOPED_TRACE(testing::Message() << "tick " << n++);
        SetClock(t.minutes, t.seconds);
        const StatusShow show = Tick(t.quick);
        EXPECT_EQ(controller.TakeSent(), t.sent);
        EXPECT_TRUE(show.controllerClock && show.pcClock && show.outputs);
        EXPECT_EQ(show.regulator.has_value(), t.regulator);
        EXPECT_EQ(show.sensors.has_value(), t.regulator || t.quick);
        EXPECT_EQ(show.lastStatusMinute, t.lastMinute);
    }
    EXPECT_TRUE(events.empty());
}

TEST_F(StatusPoll, ATickShowsWhatTheBlocksSay)
{
    SetClock(5, 9);
    controller.clock[2] = 14;
    StatusShow show = Tick(false);
    EXPECT_EQ(show.controllerClock, QStringLiteral("14:05:09, středa"));
    EXPECT_EQ(show.pcClock, QStringLiteral("08:30:15, Sunday"));
    EXPECT_EQ(show.outputs, (Outputs{true, true, true}));
    ASSERT_TRUE(show.regulator && show.sensors);
    EXPECT_EQ(show.regulator->mode, QStringLiteral("ekvitermní"));
    EXPECT_EQ(show.regulator->Line(u"Param").value, QStringLiteral("-5 °C"));
    const std::array<QString, 8> normal{"8 °C", "7 °C", "6 °C", "5 °C", "4 °C", "3 °C", "2 °C", "1 °C"};
    EXPECT_EQ(*show.sensors, normal);

    show = Tick(true);
    ASSERT_TRUE(show.sensors);
    EXPECT_EQ((*show.sensors)[0], QStringLiteral("akt. -8 °C, AD 80"));
    EXPECT_EQ((*show.sensors)[7], QStringLiteral("akt. -1 °C, AD 10"));
}

TEST_F(StatusPoll, AFailedExchangeEndsTheTickWhereItHappens)
{
    enum Part { Clocks = 1, Panels = 2, Regulator = 4, Sensors = 8 };
    const struct {
        bool quick;
        std::uint8_t silent;
        Bytes sent;
        int shown;
        int lastMinute;
    } cases[] = {
        {false, 0x00, {0x00}, 0, 0xFF},
        {false, 0x43, {0x00, 0x43}, Clocks, 0xFF},
        // The regulator view was refreshed before the temperatures failed.
        {false, 0x41, {0x00, 0x43, 0x41}, Clocks | Panels | Regulator, 20},
        {true, 0x40, {0x00, 0x43, 0x40}, Clocks | Panels, 0xFF},
        {true, 0x42, {0x00, 0x43, 0x40, 0x42}, Clocks | Panels, 0xFF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "silent " << int(c.silent) << (c.quick ? " quick" : " normal"));
        controller.silentCommand = c.silent;
        events.clear();
        lastMinute = NoStatusMinute;
        const StatusShow show = Tick(c.quick);
        EXPECT_EQ(controller.TakeSent(), c.sent);
        EXPECT_EQ(events, (std::vector<std::string>{"stop-timer", "report"}));
        EXPECT_EQ(show.controllerClock.has_value(), bool(c.shown & Clocks));
        EXPECT_EQ(show.pcClock.has_value(), bool(c.shown & Clocks));
        EXPECT_EQ(show.outputs.has_value(), bool(c.shown & Panels));
        EXPECT_EQ(show.regulator.has_value(), bool(c.shown & Regulator));
        EXPECT_EQ(show.sensors.has_value(), bool(c.shown & Sensors));
        EXPECT_EQ(show.lastStatusMinute, c.lastMinute);
    }
}

class ClockSetting : public StatusPoll {};

TEST_F(ClockSetting, SendsSecondsMinutesHoursWeekday)
{
    EXPECT_EQ(PcControllerTime(SundayMorning), (ControllerTime{15, 30, 8, 6}));
    EXPECT_EQ(SetControllerClock(link, PcControllerTime(SundayMorning)), Transfer::Done);
    EXPECT_EQ(controller.TakeSent(), (Bytes{0x10, 0x0F, 0x1E, 0x08, 0x06}));
    // One reply awaited per byte but the last.
    EXPECT_EQ(Fake().readSizes, (std::vector<std::size_t>{1, 1, 1, 1}));

    // Out of their ranges but bytes: sent as they are.
    EXPECT_EQ(SetControllerClock(link, {75, 255, 30, 0}), Transfer::Done);
    EXPECT_EQ(controller.TakeSent(), (Bytes{0x10, 75, 255, 30, 0}));
    // Not a byte: nothing goes out.
    EXPECT_EQ(SetControllerClock(link, {0, 0, 0, -1}), Transfer::RangeCheckError);
    EXPECT_EQ(SetControllerClock(link, {0, 256, 0, 0}), Transfer::RangeCheckError);
    EXPECT_TRUE(controller.TakeSent().empty());
    EXPECT_TRUE(events.empty());
}

TEST_F(ClockSetting, MissingAcknowledgementAfterTheMinutesStopsWithOneReport)
{
    controller.silentClockByte = 1;
    EXPECT_EQ(SetControllerClock(link, {7, 5, 23, 6}), Transfer::LinkFailed);
    EXPECT_EQ(controller.TakeSent(), (Bytes{0x10, 0x07, 0x05}));
    EXPECT_EQ(events, (std::vector<std::string>{"stop-timer", "report"}));
}

TEST(HandClock, EveryFieldIsCheckedBeforeAnythingIsSent)
{
    using Kind = HandClockError::Kind;
    const struct {
        const char *hour, *min, *sec;
        int day;
        std::optional<ControllerTime> time;
        std::optional<Kind> error;
        const char* errorText;
    } cases[] = {
        {"23", "5", "7", 6, ControllerTime{7, 5, 23, 6}, {}, ""},
        {"00", "00", "00", 0, ControllerTime{0, 0, 0, 0}, {}, ""},
        {"30", "$3B", " 75", 3, ControllerTime{75, 59, 30, 3}, {}, ""},
        {"255", "0x10", "+1", 2, ControllerTime{1, 16, 255, 2}, {}, ""},
        {"12", "30", "abc", 0, {}, Kind::NotAnInteger, "abc"},
        {"12", "", "00", 0, {}, Kind::NotAnInteger, ""},
        {"1 2", "30", "00", 0, {}, Kind::NotAnInteger, "1 2"},
        {"300", "30", "00", 0, {}, Kind::RangeCheck, "300"},
        {"12", "-1", "00", 0, {}, Kind::RangeCheck, "-1"},
        {"12", "30", "256", 0, {}, Kind::RangeCheck, "256"},
        // Seconds are sent first, so their fault is the one reported.
        {"xx", "30", "256", 0, {}, Kind::RangeCheck, "256"},
        {"300", "yy", "00", 0, {}, Kind::NotAnInteger, "yy"},
        {"12", "30", "00", -1, {}, Kind::RangeCheck, "-1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hour << ":" << c.min << ":" << c.sec << " day " << c.day);
        const auto parsed = ParseHandClock({QString::fromUtf8(c.hour), QString::fromUtf8(c.min),
                                            QString::fromUtf8(c.sec), c.day});
        if (c.time) {
            ASSERT_TRUE(std::holds_alternative<ControllerTime>(parsed));
            EXPECT_EQ(std::get<ControllerTime>(parsed), *c.time);
        } else {
            ASSERT_TRUE(std::holds_alternative<HandClockError>(parsed));
            EXPECT_EQ(std::get<HandClockError>(parsed).kind, *c.error);
            EXPECT_EQ(std::get<HandClockError>(parsed).text, QString::fromUtf8(c.errorText));
        }
    }
}

}  // namespace
