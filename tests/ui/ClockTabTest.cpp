// The tab "Hodiny + čidla": what entering it and its ticks put on the
// widgets, its clock-setting buttons, and what went over the line.  A
// scripted Controller behind the fake port makes the blocks exact; the
// simulator shows that the tab keeps step with a Controller's clock.
#include <QAccessible>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QTimer>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QThread>
#include <QToolButton>

#include "FormFixture.h"
#include "controller/Win1250.h"
#include "link/Serial.h"
#include "tests/support/FakeController.h"
#include "tests/support/FakePort.h"
#include "ui/ArrowIcon.h"
#include "ui/ClockTab.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Kind = RecordingDialogs::Kind;

const char* const Pairs[][2] = {
    {"lbParamCaption", "lbParam"}, {"lbDevCaption", "lbDev"},         {"lbTempCaption", "lbTemp"},
    {"lbWallCaption", "lbWall"},   {"lbEkvCaption", "lbEkv"},         {"lbAverageCaption", "lbAverage"},
    {"lbBlRateCaption", "lbBlRate"},
};

QString NameLabel(int i)
{
    return i == 2 ? QStringLiteral("lbSens2name") : QStringLiteral("lbSens%1Name").arg(i);
}

class ClockTabTest : public FormTest {
protected:
    ClockTab* Tab() { return form->findChild<ClockTab*>(QStringLiteral("tsClockSensors")); }
    QLabel* Label(const char* name) { return Find<QLabel>(name); }
    QLabel* Label(const QString& name) { return Find<QLabel>(name.toLatin1().constData()); }
    QString Text(const char* name) { return Find<QWidget>(name)->property("text").toString(); }
    QColor PanelColour(const char* name) { return Label(name)->palette().color(QPalette::Window); }

    void TypeHand(const char* hour, const char* min, const char* sec, int day)
    {
        Find<QLineEdit>("edClockHandHour")->setText(QString::fromUtf8(hour));
        Find<QLineEdit>("edClockHandMin")->setText(QString::fromUtf8(min));
        Find<QLineEdit>("edClockHandSec")->setText(QString::fromUtf8(sec));
        Find<QComboBox>("cbClockHandDay")->setCurrentIndex(day);
    }
};

// ---- against the scripted Controller ---------------------------------------

class ClockTabFake : public ClockTabTest {
protected:
    void SetUp() override
    {
        ClockTabTest::SetUp();
        InstallFake();
        controller.Install();
        controller.page0.fill(0xFF);
        const QByteArray kotel = Win1250::Encode(QStringLiteral("Kotel"));
        std::copy(kotel.begin(), kotel.end(), controller.page0.begin() + 128);
        controller.page0[std::size_t(128 + kotel.size())] = 0x00;
        WriteSettings();
        CreateForm();
    }
    void TearDown() override
    {
        ClockTabTest::TearDown();
        UninstallFake();
    }
    void Enter()
    {
        ShowTab("tsClockSensors");
        controller.TakeSent();
    }
    void Tick(int minutes, int seconds)
    {
        controller.clock[0] = std::uint8_t(seconds);
        controller.clock[1] = std::uint8_t(minutes);
        Tab()->StatusTick();
    }

    FakeController controller;
};

TEST_F(ClockTabFake, NothingIsAskedOrColouredBeforeTheTabIsEntered)
{
    const QColor face = form->palette().color(QPalette::Window);
    for (const char* panel : {"paBlr", "paBlrPw", "paPump"})
        EXPECT_EQ(PanelColour(panel), face) << panel;
    EXPECT_EQ(Find<QComboBox>("cbClockHandDay")->count(), 7);
    EXPECT_EQ(Find<QComboBox>("cbClockHandDay")->currentText(), QStringLiteral("pondělí"));
    EXPECT_TRUE(controller.TakeSent().empty());
}

TEST_F(ClockTabFake, TheWidestTextsFitTheirWidgets)
{
    // The window's font is wider here than the one the layout was drawn
    // for: every text a widget can get must still fit it.
    const struct {
        const char* widget;
        const char* text;
    } texts[] = {
        {"lbTempCaption", "Stř. tepl. aktuální:"}, {"lbTempCaption", "Do dalšího kroku:"},
        {"lbAverageCaption", "Stř. tepl. minulá:"}, {"lbMode", "ekvitermní"},
        {"lbTemp", "255 minut"},                    {"lbParam", "-128 °C"},
        {"lbDev", "+127 °C"},                       {"lbBlRate", "255 %"},
        {"lbSensor0", "akt. -128 °C, AD 255"},      {"lbSens6Name", "Kuchyň a jídelna"},
        {"edClockReg", "255:255:255, (chyba)"},     {"edClockPC", "23:59:59, Wednesday"},
        {"edClockHandHour", "255"},                 {"cbClockHandDay", "čtvrtek"},
    };
    for (const auto& t : texts) {
        QWidget* widget = Find<QWidget>(t.widget);
        int room = widget->contentsRect().width();
        if (qobject_cast<QLineEdit*>(widget))
            room -= 8;  // frame and text margins
        else if (qobject_cast<QComboBox*>(widget))
            room -= 24;  // and the drop-down arrow
        EXPECT_LE(widget->fontMetrics().horizontalAdvance(QString::fromUtf8(t.text)), room) << t.widget << " " << t.text;
    }
    for (const char* panel : {"paBlr", "paBlrPw", "paPump"}) {
        QLabel* label = Label(panel);
        EXPECT_LE(label->sizeHint().width(), label->width()) << panel;
        EXPECT_LE(label->sizeHint().height(), label->height()) << panel;
    }
    EXPECT_LE(Find<QCheckBox>("cbSensorsQuick")->sizeHint().width(), Find<QCheckBox>("cbSensorsQuick")->width());
}

TEST_F(ClockTabFake, EveryEntryReadsTheNamesAndRefreshesAtOnce)
{
    controller.status[1] = 1;
    Enter();
    EXPECT_TRUE(form->StatusTimer().isActive());
    EXPECT_EQ(Label(NameLabel(0))->text(), QStringLiteral("Kotel"));
    EXPECT_EQ(Label(NameLabel(1))->text(), QString());
    EXPECT_EQ(Text("edClockReg"), QStringLiteral("10:20:30, středa"));
    EXPECT_EQ(Text("lbMode"), QStringLiteral("ekvitermní"));
    EXPECT_EQ(Tab()->LastStatusMinute(), 20);

    Tick(20, 31);
    EXPECT_EQ(controller.TakeSent(), (Bytes{0x00, 0x43}));
    // Leaving and coming back in the same minute: refreshed again.
    ShowTab("tsConst");
    EXPECT_FALSE(form->StatusTimer().isActive());
    ShowTab("tsClockSensors");
    EXPECT_EQ(controller.TakeSent(), (Bytes{0x20, 0x00, 0x43, 0x41}));
    EXPECT_TRUE(dialogs.entries.empty());
}

TEST_F(ClockTabFake, EntryOnSecondZeroLeavesTheRegulatorForTheNextTick)
{
    controller.clock[0] = 0;
    controller.status = {0x01, 2, 0x15, 0, 0, 0, 0, 0, 0, 0x0C};
    Enter();
    EXPECT_EQ(Text("edClockReg"), QStringLiteral("10:20:00, středa"));
    EXPECT_EQ(PanelColour("paBlr"), QColor(127, 255, 127));
    EXPECT_EQ(Text("lbMode"), QStringLiteral("(nic)"));
    EXPECT_EQ(Text("lbSensor0"), QStringLiteral("(nic)"));
    Tick(20, 1);
    EXPECT_EQ(Text("lbMode"), QStringLiteral("termostat"));
    EXPECT_EQ(Text("lbTemp"), QStringLiteral("12 minut"));
    EXPECT_EQ(Text("lbSensor0"), QStringLiteral("0 °C"));
}

TEST_F(ClockTabFake, RowsAndCaptionsOfEachMode)
{
    const struct {
        int mode;
        const char *modeName, *paramCaption, *tempCaption, *temp;
        int shownPairs;  // the first n pairs are shown, the rest hidden
    } modes[] = {
        {1, "ekvitermní", "Posun:", "Stř. tepl. aktuální:", "45 °C", 7},
        {2, "termostat", "Termostat:", "Do dalšího kroku:", "12 minut", 3},
        // Off and invalid keep the captions and temp value of before.
        {0, "vypnuto", "Termostat:", "Do dalšího kroku:", "12 minut", 0},
        {1, "ekvitermní", "Posun:", "Stř. tepl. aktuální:", "45 °C", 7},
        {7, "(chyba)", "Posun:", "Stř. tepl. aktuální:", "45 °C", 0},
        {2, "termostat", "Termostat:", "Do dalšího kroku:", "12 minut", 3},
    };
    controller.status = {0x0B, 1, 0xFB, 0x2D, 0x04, 0xFE, 0x30, 0x2B, 0xC8, 0x0C};
    Enter();
    int minute = 21;
    for (const auto& m : modes) {
        SCOPED_TRACE(m.modeName);
        controller.status[1] = std::uint8_t(m.mode);
        Tick(minute++, 5);
        EXPECT_EQ(Text("lbMode"), QString::fromUtf8(m.modeName));
        EXPECT_EQ(Text("lbParamCaption"), QString::fromUtf8(m.paramCaption));
        EXPECT_EQ(Text("lbTempCaption"), QString::fromUtf8(m.tempCaption));
        EXPECT_EQ(Text("lbTemp"), QString::fromUtf8(m.temp));
        EXPECT_EQ(Text("lbParam"), QStringLiteral("-5 °C"));
        EXPECT_EQ(Text("lbBlRate"), QStringLiteral("200 %"));
        EXPECT_FALSE(Label("lbModeCaption")->isHidden());
        EXPECT_FALSE(Label("lbMode")->isHidden());
        for (int p = 0; p < 7; ++p) {
            EXPECT_EQ(Label(Pairs[p][0])->isHidden(), p >= m.shownPairs) << Pairs[p][0];
            EXPECT_EQ(Label(Pairs[p][1])->isHidden(), p >= m.shownPairs) << Pairs[p][1];
        }
    }
    // The quick view leaves the regulator view alone.
    Find<QCheckBox>("cbSensorsQuick")->setChecked(true);
    controller.status[1] = 0;
    Tick(minute++, 5);
    EXPECT_EQ(Text("lbMode"), QStringLiteral("termostat"));
    EXPECT_FALSE(Label("lbParam")->isHidden());
}

TEST_F(ClockTabFake, PanelsShowTheOutputsEveryTickInBothViews)
{
    const QColor green(127, 255, 127), red(255, 127, 127);
    const struct {
        std::uint8_t outputs;
        bool quick;
        QColor blr, blrPw, pump;
    } ticks[] = {
        {0x0B, false, green, green, green}, {0x04, false, red, red, red},     {0x01, false, green, red, red},
        {0x02, true, red, red, green},      {0x08, true, red, green, red},    {0xF4, false, red, red, red},
    };
    Enter();
    for (const auto& t : ticks) {
        SCOPED_TRACE(int(t.outputs));
        controller.status[0] = t.outputs;
        Find<QCheckBox>("cbSensorsQuick")->setChecked(t.quick);
        Tick(20, 40);  // the same minute: only the clocks and panels are due
        EXPECT_EQ(PanelColour("paBlr"), t.blr);
        EXPECT_EQ(PanelColour("paBlrPw"), t.blrPw);
        EXPECT_EQ(PanelColour("paPump"), t.pump);
        // A reader hears what the colour shows.
        for (const char* panel : {"paBlr", "paBlrPw", "paPump"})
            EXPECT_EQ(QAccessible::queryAccessibleInterface(Label(panel))->text(QAccessible::Description),
                      QLatin1StringView(PanelColour(panel) == green ? "zapnuto" : "vypnuto"))
                << panel;
    }
}

TEST_F(ClockTabFake, FailedEntryReadStopsBeforeThePoll)
{
    controller.silentCommand = 0x20;
    ShowTab("tsClockSensors");
    EXPECT_EQ(controller.TakeSent(), Bytes{0x20});
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QStringLiteral("Chyba komunikace")});
    EXPECT_EQ(dialogs.entries.size(), 1u);
    EXPECT_FALSE(form->StatusTimer().isActive());
    EXPECT_EQ(Label(NameLabel(0))->text(), QStringLiteral("Čidlo 0"));
    EXPECT_EQ(Text("edClockReg"), QString());
}

// The window manager's close, or the quit-signal notifier's, waiting in the
// queue when the tab is entered: the entry runs to its end first, and after
// the close nothing more goes to the Controller.
TEST_F(ClockTabFake, ACloseDuringTheEntryComesAfterIt)
{
    for (const bool fromSignal : {false, true}) {
        SCOPED_TRACE(fromSignal ? "quit signal" : "window manager");
        form.reset();
        CreateForm();
        controller.TakeSent();
        if (fromSignal)
            QMetaObject::invokeMethod(form.get(), &QWidget::close, Qt::QueuedConnection);
        else
            QCoreApplication::postEvent(form.get(), new QCloseEvent);
        Enter();
        EXPECT_TRUE(dialogs.entries.empty());
        EXPECT_EQ(Label(NameLabel(0))->text(), QStringLiteral("Kotel"));
        EXPECT_EQ(Text("edClockReg"), QStringLiteral("10:20:30, středa"));

        QEventLoop pending;
        QTimer::singleShot(1100, &pending, &QEventLoop::quit);
        pending.exec();
        EXPECT_FALSE(Serial::IsOpen());
        EXPECT_FALSE(form->StatusTimer().isActive());
        EXPECT_TRUE(controller.TakeSent().empty());
        EXPECT_TRUE(dialogs.entries.empty());
    }
}

TEST_F(ClockTabFake, MissingAcknowledgementAfterTheMinutesStopsPollingWithOneMessage)
{
    Enter();
    ASSERT_TRUE(form->StatusTimer().isActive());
    controller.silentClockByte = 1;
    TypeHand("23", "5", "7", 6);
    Find<QToolButton>("sbClockUpdateByHand")->click();
    EXPECT_EQ(controller.TakeSent(), (Bytes{0x10, 0x07, 0x05}));
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QStringLiteral("Chyba komunikace")});
    EXPECT_EQ(dialogs.entries.size(), 1u);
    EXPECT_FALSE(form->StatusTimer().isActive());
}

TEST_F(ClockTabFake, BadHandFieldsSendNothing)
{
    const struct {
        const char *hour, *min, *sec;
        const char* message;
    } cases[] = {
        {"12", "30", "abc", "'abc' is not a valid integer value"},
        {"300", "30", "00", "Range check error"},  // once 0x10, seconds and minutes went out before this
        {"12", "", "00", "'' is not a valid integer value"},
        {"12", "256", "00", "Range check error"},
        {"-1", "0", "0", "Range check error"},
        {"12", "30", "1.5", "'1.5' is not a valid integer value"},
    };
    Enter();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        dialogs.Clear();
        TypeHand(c.hour, c.min, c.sec, 6);
        Find<QToolButton>("sbClockUpdateByHand")->click();
        EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(dialogs.entries.size(), 1u);
        EXPECT_TRUE(controller.TakeSent().empty());
        EXPECT_TRUE(form->StatusTimer().isActive());
    }
}

TEST_F(ClockTabFake, PcClockGoesToTheControllerOrIntoTheHandFields)
{
    Enter();
    Tab()->SetPcClock([] { return QDateTime(QDate(2024, 6, 9), QTime(8, 30, 15)); });  // a Sunday
    Find<QToolButton>("sbClockUpdateByPC")->click();
    EXPECT_EQ(controller.TakeSent(), (Bytes{0x10, 0x0F, 0x1E, 0x08, 0x06}));

    TypeHand("23", "5", "7", 6);
    Find<QToolButton>("sbClockUpdateByHand")->click();
    EXPECT_EQ(controller.TakeSent(), (Bytes{0x10, 0x07, 0x05, 0x17, 0x06}));

    Tab()->SetPcClock([] { return QDateTime(QDate(2024, 6, 10), QTime(7, 4, 9)); });  // a Monday
    Find<QComboBox>("cbClockHandDay")->setCurrentIndex(3);
    Find<QToolButton>("sbClockUpdateHandByPC")->click();
    EXPECT_EQ(Text("edClockHandHour"), QStringLiteral("07"));
    EXPECT_EQ(Text("edClockHandMin"), QStringLiteral("04"));
    EXPECT_EQ(Text("edClockHandSec"), QStringLiteral("09"));
    EXPECT_EQ(Find<QComboBox>("cbClockHandDay")->currentText(), QStringLiteral("pondělí"));
    EXPECT_TRUE(controller.TakeSent().empty());

    Tick(20, 40);
    EXPECT_EQ(Text("edClockPC"), PcClockText(QDateTime(QDate(2024, 6, 10), QTime(7, 4, 9))));
    EXPECT_TRUE(dialogs.entries.empty());
}

// The adapter is pulled out while the status tab polls: one message, the
// poll stops, the lock goes, nothing hangs; plugged in again, entering the
// tab works as before.
TEST_F(ClockTabTest, AnUnplugWhileThePollRunsStopsItWithOneMessage)
{
    StartSim();
    const QString adapter = settingsDir.filePath(QStringLiteral("ttyAdapter"));
    ASSERT_TRUE(QFile::link(QString::fromStdString(sim->LinkPath()), adapter));
    WriteSettings("ComPort=1\n", "COM2=" + QFile::encodeName(adapter) + "\n");
    CreateForm();
    ShowTab("tsClockSensors");
    ASSERT_TRUE(dialogs.entries.empty());
    ASSERT_TRUE(form->StatusTimer().isActive());
    ASSERT_EQ(LockFiles().size(), 1);

    sim->Stop();
    // The next tick finds the device gone; a hang would show as no message.
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!dialogs.entries.empty())
            loop.quit();
    });
    poll.start(20);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    poll.stop();
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QStringLiteral("Chyba komunikace")});
    EXPECT_FALSE(form->StatusTimer().isActive());
    EXPECT_TRUE(LockFiles().isEmpty()) << LockFiles().join(u' ').toStdString();

    SimProcess second(VESK_SIM_PATH, {"--clock", "10:20:30:2"});
    ASSERT_TRUE(QFile::remove(adapter));
    ASSERT_TRUE(QFile::link(QString::fromStdString(second.LinkPath()), adapter));
    dialogs.Clear();
    ShowTab("tsConst");
    ShowTab("tsClockSensors");
    EXPECT_TRUE(dialogs.entries.empty());
    EXPECT_TRUE(form->StatusTimer().isActive());
    EXPECT_EQ(Label(NameLabel(0))->text(), QStringLiteral("Výstup kotle"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^10:20:3\\d, středa$")).match(Text("edClockReg")).hasMatch());
    EXPECT_EQ(LockFiles(), QStringList{QString::fromStdString(Serial::LockFileName(second.SlavePath()))});
    form->close();
    EXPECT_TRUE(LockFiles().isEmpty());
}

// ---- widths as an X11 desktop measures them --------------------------------

class ClockTabX11 : public ClockTabFake {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "measures text as X11 does; CTest runs it as vesk_ui_test_x11 under xvfb-run";
        ClockTabFake::SetUp();
    }
};

// Sixteen bytes and no terminator: every letter is shown and is what a
// screen reader reads.  Ordinary names keep the window's font; only a name
// in capitals may be set smaller.
TEST_F(ClockTabX11, SixteenLetterNamesShowWhole)
{
    const struct {
        const char* name;
        bool mayShrink;
    } names[] = {
        {"Zásobník TUV 2.p", false}, {"Kuchyň a jídelna", false}, {"Místnost vzadu 1", false},
        {"Obývací pokoj II", false}, {"PODLAHOVÉ TOPENÍ", true},  {"Výstup kotle TUV", false},
        {"Podlahové topení", false}, {"Zpátečka ze zdí ", false},
    };
    for (int i = 0; i < 8; ++i) {
        const QByteArray bytes = Win1250::Encode(QString::fromUtf8(names[i].name));
        ASSERT_EQ(bytes.size(), 16);
        std::copy(bytes.begin(), bytes.end(), controller.page0.begin() + 128 + 16 * i);
    }
    form->show();
    Enter();
    const int windowPixels = QFontInfo(form->font()).pixelSize();
    auto* group = Find<QWidget>("GroupBox13");
    for (int i = 0; i < 8; ++i) {
        const QString name = QString::fromUtf8(names[i].name);
        SCOPED_TRACE(names[i].name);
        QLabel* label = Label(NameLabel(i));
        QLabel* value = Label(QStringLiteral("lbSensor%1").arg(i));
        EXPECT_EQ(label->text().toStdString(), names[i].name);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name).toStdString(), names[i].name);
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(name), label->contentsRect().width());
        EXPECT_GE(QFontInfo(label->font()).pixelSize(), names[i].mayShrink ? 9 : windowPixels);
        EXPECT_LT(label->geometry().right(), value->geometry().left());
        EXPECT_LE(value->fontMetrics().horizontalAdvance(QStringLiteral("akt. -128 °C, AD 255")), value->width());
        EXPECT_LT(value->geometry().right(), group->width() - 2);
    }
}

TEST(ArrowIcon, RedArrowsGreyWhenDisabledAtAnySize)
{
    struct Count {
        int red = 0, grey = 0, first = 0, second = 0;  // halves: left/right or top/bottom
    };
    auto count = [](const QIcon& icon, int size, QIcon::Mode mode, bool vertical) {
        const QImage image = icon.pixmap(QSize(size, size), 1.0, mode).toImage();
        EXPECT_EQ(image.size(), QSize(size, size));
        Count c;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor p = image.pixelColor(x, y);
                if (p.alpha() < 128)
                    continue;
                (p.red() > 200 && p.green() < 60 && p.blue() < 60 ? c.red : c.grey)++;
                ((vertical ? y : x) < size / 2 ? c.first : c.second)++;
            }
        }
        return c;
    };
    for (int size : {16, 22, 64}) {
        for (ArrowDirection direction : {ArrowDirection::Left, ArrowDirection::Down}) {
            SCOPED_TRACE(testing::Message() << size << (direction == ArrowDirection::Left ? " left" : " down"));
            const QIcon icon = ArrowIcon(direction);
            const bool vertical = direction == ArrowDirection::Down;
            const Count normal = count(icon, size, QIcon::Normal, vertical);
            const Count disabled = count(icon, size, QIcon::Disabled, vertical);
            EXPECT_GT(normal.red, size * size / 8);
            EXPECT_EQ(normal.grey, 0);
            EXPECT_EQ(disabled.red, 0);
            EXPECT_GT(disabled.grey, size * size / 8);
            // The head is wider than the shaft: the tip's half holds more.
            if (direction == ArrowDirection::Left)
                EXPECT_GT(normal.first, normal.second);
            else
                EXPECT_GT(normal.second, normal.first);
        }
    }
}

// ---- against the simulator -------------------------------------------------

class ClockTabSim : public ClockTabTest {
protected:
    void SetUp() override
    {
        ClockTabTest::SetUp();
        // Mid-minute on a Wednesday, so the test runs within one minute.
        sim = std::make_unique<SimProcess>(VESK_SIM_PATH, std::vector<std::string>{"--clock", "10:20:30:2"});
        WriteSettings();
        CreateForm();
    }
    Bytes Received(std::size_t from, std::size_t n)
    {
        Bytes bytes;
        for (const TraceEntry& e : SettledTraceFrom(from, n))
            bytes.push_back(e.byte);
        return bytes;
    }
    int ShownSeconds() { return Text("edClockReg").mid(6, 2).toInt(); }
};

TEST_F(ClockTabSim, EnteringReadsTheNamesAndPollsAtOnceThenFollowsTheClock)
{
    ShowTab("tsClockSensors");
    EXPECT_EQ(Cmds(SettledTrace(4)), (std::vector<std::string>{"20", "00", "43", "41"}));
    EXPECT_TRUE(dialogs.entries.empty());
    const char* names[] = {"Výstup kotle", "Zpátečka", "Zásobník TUV", "Obývák",
                           "Venku",        "Zeď sever", "Kuchyň a jídelna", ""};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(Label(NameLabel(i))->text(), QString::fromUtf8(names[i])) << i;
        EXPECT_EQ(Label(NameLabel(i))->toolTip(), QString::fromUtf8(names[i])) << i;
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^-?\\d+ °C$"))
                        .match(Label(QStringLiteral("lbSensor%1").arg(i))->text())
                        .hasMatch())
            << i;
    }
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^10:20:3\\d, středa$")).match(Text("edClockReg")).hasMatch())
        << Text("edClockReg").toStdString();
    EXPECT_NE(Text("lbMode"), QStringLiteral("(nic)"));
    EXPECT_NE(PanelColour("paPump"), form->palette().color(QPalette::Window));

    // A second later the Controller's clock has moved on; the same minute
    // asks only the clock and the status.
    const int first = ShownSeconds();
    const std::size_t before = sim->Trace().size();
    QThread::msleep(1100);
    Tab()->StatusTick();
    EXPECT_EQ(Cmds(SettledTraceFrom(before, 2)), (std::vector<std::string>{"00", "43"}));
    EXPECT_GE(ShownSeconds() - first, 1);
    EXPECT_LE(ShownSeconds() - first, 3);

    // Quick view: four exchanges every tick.
    Find<QCheckBox>("cbSensorsQuick")->setChecked(true);
    const std::size_t quick = sim->Trace().size();
    Tab()->StatusTick();
    EXPECT_EQ(Cmds(SettledTraceFrom(quick, 4)), (std::vector<std::string>{"00", "43", "40", "42"}));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^akt\\. -?\\d+ °C, AD \\d+$")).match(Text("lbSensor3")).hasMatch())
        << Text("lbSensor3").toStdString();
    EXPECT_TRUE(dialogs.entries.empty());
}

TEST_F(ClockTabSim, TheControllerTakesTheClockSetByHandAndFromThePc)
{
    ShowTab("tsClockSensors");
    std::size_t before = SettledTrace(4).size();
    TypeHand("23", "59", "58", 6);
    Find<QToolButton>("sbClockUpdateByHand")->click();
    EXPECT_EQ(Received(before, 5), (Bytes{0x10, 0x3A, 0x3B, 0x17, 0x06}));
    Tab()->StatusTick();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^23:59:5[89], neděle$")).match(Text("edClockReg")).hasMatch())
        << Text("edClockReg").toStdString();
    // Over the end of the week.
    QThread::msleep(2100);
    Tab()->StatusTick();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^00:00:0[0-2], pondělí$")).match(Text("edClockReg")).hasMatch())
        << Text("edClockReg").toStdString();

    Tab()->SetPcClock([] { return QDateTime(QDate(2024, 6, 9), QTime(8, 30, 15)); });
    before = sim->Trace().size();
    Find<QToolButton>("sbClockUpdateByPC")->click();
    EXPECT_EQ(Received(before, 5), (Bytes{0x10, 0x0F, 0x1E, 0x08, 0x06}));
    Tab()->StatusTick();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^08:30:1[56], neděle$")).match(Text("edClockReg")).hasMatch())
        << Text("edClockReg").toStdString();
    EXPECT_TRUE(dialogs.entries.empty());
    EXPECT_TRUE(form->StatusTimer().isActive());
}

}  // namespace
