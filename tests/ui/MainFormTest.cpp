// The window shell against the simulator: start, port choice, tab policy,
// the question before every write, RESET, Info and closing.
#include <QComboBox>
#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QTabWidget>

#include "FormFixture.h"
#include "ui/PortList.h"
#include "ui/SpinEdit.h"
#include "ui/Tabs.h"
#include <QLineEdit>
#include <QDir>
#include <QTemporaryDir>
#include "controller/DecimalText.h"
#include "link/Serial.h"
#include "shell/Texts.h"

namespace {

using Kind = RecordingDialogs::Kind;

const QString Config = Text::Filter::Configuration();

TEST_F(FormTest, FirstStartOpensTheFirstPortSilently)
{
    StartSim();
    WriteSettings();
    CreateForm();
    EXPECT_TRUE(dialogs.entries.empty());
    EXPECT_TRUE(Serial::IsOpen());
    EXPECT_EQ(Find<QComboBox>("cbComPort")->currentText(), QStringLiteral("COM1"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("VESK - Kalorest topení"));
    EXPECT_EQ(form->size(), QSize(695, 534));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_EQ(form->ActiveTab()->objectName(), QStringLiteral("tsConst"));
    EXPECT_FALSE(form->StatusTimer().isActive());
    EXPECT_EQ(form->StatusTimer().interval(), 1000);

    // Start-up asks the Controller nothing.
    EXPECT_TRUE(SettledTrace(0).empty());
    // The port really reaches the simulator.
    EXPECT_TRUE(ReadPage(0).has_value());
}

TEST_F(FormTest, TheSevenTabsInTheirOrder)
{
    WriteSettings();
    CreateForm();
    auto* pages = Find<QTabWidget>("PageControl");
    const char* names[] = {"tsConst", "tsEkvith", "tsMode", "tsClockSensors", "tsLogs", "tsWall", "tsDirect"};
    const char* captions[] = {"Kalorest", "Ekviterma", "Režim", "Hodiny + čidla", "Záznamy", "Zeď", "Přímý přístup"};
    ASSERT_EQ(pages->count(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(pages->widget(i)->objectName(), QString::fromLatin1(names[i]));
        EXPECT_EQ(pages->tabText(i), QString::fromUtf8(captions[i]));
    }
    EXPECT_EQ(pages->currentIndex(), 0);
}

// Only the tab shown at start has widgets; another gets them when it is
// first shown, with the stored values it was given meanwhile, and gives
// back what the user made of them.
TEST_F(FormTest, ATabIsBuiltWhenFirstShown)
{
    WriteSettings("WallTemp=19\n");
    CreateForm();
    auto built = [&] {
        QStringList names;
        for (const TabHost* tab : form->findChildren<TabHost*>())
            if (tab->Built())
                names << tab->objectName();
        return names;
    };
    EXPECT_EQ(built(), QStringList{QStringLiteral("tsConst")});
    EXPECT_EQ(form->findChild<SpinEdit*>(QStringLiteral("seWallTemp")), nullptr);

    ShowTab("tsWall");
    EXPECT_EQ(built(), (QStringList{QStringLiteral("tsConst"), QStringLiteral("tsWall")}));
    auto* temp = form->findChild<SpinEdit*>(QStringLiteral("seWallTemp"));
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->text(), QStringLiteral("19"));
    EXPECT_EQ(form->findChild<QLineEdit*>(QStringLiteral("edEkvithFillB"))->text(), FormatDecimal(-0.7));
    temp->setValue(25);
    form->close();
    EXPECT_TRUE(SettingsBytes().contains("\nWallTemp=25\n")) << SettingsBytes().toStdString();
}

TEST_F(FormTest, StoredPortIndexChoosesThePort)
{
    StartSim();
    WriteSettings("ComPort=3\n", "COM4=" + QByteArray::fromStdString(sim->LinkPath()) + "\n");
    // COM1 is the simulator too: only COM4 may be opened.
    CreateForm();
    EXPECT_TRUE(dialogs.entries.empty());
    EXPECT_EQ(Find<QComboBox>("cbComPort")->currentText(), QStringLiteral("COM4"));
    EXPECT_TRUE(Serial::IsOpen());
}

TEST_F(FormTest, PortIndexOutsideTheListNamesNoPort)
{
    StartSim();
    WriteSettings("ComPort=9\n");
    CreateForm();
    EXPECT_EQ(Find<QComboBox>("cbComPort")->currentIndex(), -1);
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QStringLiteral("Nelze otevřít port ")});
    EXPECT_EQ(dialogs.entries.size(), 1u);
    EXPECT_FALSE(Serial::IsOpen());

    // Every exchange now fails with the link's own message.
    dialogs.Clear();
    Find<QPushButton>("btInfo")->click();
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QStringLiteral("Chyba komunikace")});
}

TEST_F(FormTest, PickingAPortClosesTheOldOneAndOpensTheNew)
{
    StartSim();
    WriteSettings({}, "COM2=/nonexistent/ttyVESK\n");
    CreateForm();
    ASSERT_TRUE(Serial::IsOpen());
    auto* ports = Find<QComboBox>("cbComPort");

    ports->setCurrentIndex(1);
    emit ports->activated(1);
    // The first line as it always was, then why and what to do.
    EXPECT_EQ(dialogs.Texts(Kind::Error),
              QStringList{QStringLiteral("Nelze otevřít port COM2\n") + Text::PortMissing(QStringLiteral("/nonexistent/ttyVESK"))});
    EXPECT_FALSE(Serial::IsOpen());

    dialogs.Clear();
    ports->setCurrentIndex(0);
    emit ports->activated(0);
    EXPECT_TRUE(dialogs.entries.empty());
    EXPECT_TRUE(Serial::IsOpen());
    EXPECT_TRUE(ReadPage(0).has_value());
}

TEST_F(FormTest, TabChangeAppliesTheTabsPolicy)
{
    StartSim();
    WriteSettings();
    CreateForm();
    auto* read = Find<QPushButton>("btRead");
    auto* write = Find<QPushButton>("btWrite");
    auto* load = Find<QPushButton>("btLoad");
    auto* save = Find<QPushButton>("btSave");
    auto enabled = [&] {
        return std::vector<bool>{read->isEnabled(), write->isEnabled(), load->isEnabled(), save->isEnabled()};
    };
    const std::vector<bool> all{true, true, true, true};

    EXPECT_EQ(enabled(), all);
    EXPECT_EQ(form->OpenDialogSettings().filter, Config);
    EXPECT_EQ(form->SaveDialogSettings(), (FileDialogSettings{Config, "vsk"}));

    ShowTab("tsClockSensors");
    EXPECT_EQ(enabled(), std::vector<bool>(4, false));
    EXPECT_TRUE(form->StatusTimer().isActive());

    ShowTab("tsLogs");
    EXPECT_FALSE(form->StatusTimer().isActive());
    EXPECT_EQ(enabled(), (std::vector<bool>{true, false, false, true}));
    save->click();
    // The open dialog keeps the filter of the settings tab.
    EXPECT_EQ(form->OpenDialogSettings().filter, Config);

    ShowTab("tsDirect");
    EXPECT_EQ(enabled(), all);
    load->click();
    save->click();

    ShowTab("tsWall");
    EXPECT_EQ(enabled(), all);
    load->click();
    save->click();

    const QString csv = Text::Filter::Csv();
    const QString image = Text::Filter::Image();
    ASSERT_EQ(dialogs.entries.size(), 5u);
    EXPECT_EQ(dialogs.entries[0].kind, Kind::SaveFile);
    EXPECT_EQ(dialogs.entries[0].settings, (FileDialogSettings{csv, "csv"}));
    EXPECT_EQ(dialogs.entries[1].kind, Kind::OpenFile);
    EXPECT_EQ(dialogs.entries[1].settings, (FileDialogSettings{image, {}}));
    EXPECT_EQ(dialogs.entries[2].settings, (FileDialogSettings{image, "bin"}));
    EXPECT_EQ(dialogs.entries[3].kind, Kind::OpenFile);
    EXPECT_EQ(dialogs.entries[3].settings, (FileDialogSettings{Config, {}}));
    EXPECT_EQ(dialogs.entries[4].kind, Kind::SaveFile);
    EXPECT_EQ(dialogs.entries[4].settings, (FileDialogSettings{Config, "vsk"}));

    // The buttons that talk to the Controller directly are never disabled.
    for (const char* tab : {"tsClockSensors", "tsLogs", "tsDirect", "tsConst"}) {
        ShowTab(tab);
        EXPECT_TRUE(Find<QPushButton>("btReset")->isEnabled()) << tab;
        EXPECT_TRUE(Find<QPushButton>("btInfo")->isEnabled()) << tab;
        EXPECT_TRUE(Find<QComboBox>("cbComPort")->isEnabled()) << tab;
    }
    // Dialogs cancelled: nothing went to the Controller but the status
    // tab's own reads on entry (page 0 and its poll).
    for (const std::string& cmd : Cmds(SettledTrace(0)))
        EXPECT_TRUE(cmd == "20" || cmd == "00" || cmd == "43" || cmd == "41") << cmd;
}

TEST_F(FormTest, WriteAnsweredNoSendsNothing)
{
    StartSim();
    WriteSettings();
    CreateForm();
    dialogs.answers = {false};
    Find<QPushButton>("btWrite")->click();
    EXPECT_EQ(dialogs.Texts(Kind::Question), QStringList{QStringLiteral("Opravdu zapsat?")});
    EXPECT_TRUE(SettledTrace(0).empty());
}

TEST_F(FormTest, EveryWriteAsksBeforeLookingAtTheTab)
{
    WriteSettings();
    CreateForm();
    // Without a Controller the status tab's entry fails on its own.
    ShowTab("tsClockSensors");
    dialogs.Clear();
    dialogs.answers = {true};
    form->btWriteClick();
    EXPECT_EQ(dialogs.Texts(Kind::Question), QStringList{QStringLiteral("Opravdu zapsat?")});
    EXPECT_EQ(dialogs.entries.size(), 1u);
}

TEST_F(FormTest, ResetSendsOneByteOnlyWhenConfirmed)
{
    StartSim();
    WriteSettings();
    CreateForm();
    auto* reset = Find<QPushButton>("btReset");

    dialogs.answers = {false};
    reset->click();
    EXPECT_EQ(dialogs.Texts(Kind::Question), QStringList{QStringLiteral("Opravdu resetovat?")});
    EXPECT_TRUE(SettledTrace(0).empty());

    dialogs.Clear();
    dialogs.answers = {true};
    reset->click();
    const auto trace = SettledTrace(1);
    ASSERT_EQ(trace.size(), 1u);
    EXPECT_EQ(trace[0].role, "cmd");
    EXPECT_EQ(trace[0].byte, 0x50);
    // No message on success.
    EXPECT_EQ(dialogs.entries.size(), 1u);
}

TEST_F(FormTest, InfoShowsTheTextUpToTheFirstZero)
{
    const struct {
        const char* hex;
        const char* text;
    } cases[] = {
        {"5645534B00414243444546474849", "VESK"},
        // 16 bytes without a zero, with Windows-1250 letters.
        {"C8E1737420E8ED736C61203132333435", "Část čísla 12345"},
        {"4142434445464748494A4B4C4D4E4F50", "ABCDEFGHIJKLMNOP"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hex);
        form.reset();
        dialogs.Clear();
        StartSim({"--info-hex", c.hex});
        WriteSettings();
        CreateForm();
        Find<QPushButton>("btInfo")->click();
        EXPECT_EQ(dialogs.Texts(Kind::Information), QStringList{QString::fromUtf8(c.text)});
        EXPECT_EQ(dialogs.entries.size(), 1u);
        const auto trace = SettledTrace(1);
        ASSERT_EQ(trace.size(), 1u);
        EXPECT_EQ(trace[0].byte, 0x44);
    }
}

TEST_F(FormTest, FailedInfoReportsOnceAndStopsTheStatusTimer)
{
    StartSim({"--short-reply", "0x44:5"});
    WriteSettings();
    CreateForm();
    ShowTab("tsClockSensors");
    ASSERT_TRUE(form->StatusTimer().isActive());
    Find<QPushButton>("btInfo")->click();
    EXPECT_FALSE(form->StatusTimer().isActive());
    ASSERT_EQ(dialogs.entries.size(), 1u);
    EXPECT_EQ(dialogs.entries[0].kind, Kind::Error);
    EXPECT_EQ(dialogs.entries[0].text, QStringLiteral("Chyba komunikace"));
}

TEST_F(FormTest, ExchangesLeaveTheCursorAsTheyFoundIt)
{
    StartSim();
    WriteSettings();
    CreateForm();
    // A 16-byte reply shows the hourglass; afterwards no override is left.
    Find<QPushButton>("btInfo")->click();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    QGuiApplication::setOverrideCursor(QCursor(Qt::CrossCursor));
    Find<QPushButton>("btInfo")->click();
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(FormTest, ClosingWritesTheSettingsAndClosesThePort)
{
    StartSim();
    const QByteArray link = QByteArray::fromStdString(sim->LinkPath());
    WriteSettings("; by hand\nEkvithFillB=abc\nWallTemp=19\nComPort=0\n", "COM2=" + link + "\n");
    CreateForm();
    ASSERT_TRUE(Serial::IsOpen());
    Find<QComboBox>("cbComPort")->setCurrentIndex(1);
    form->cbComPortChange();
    form->close();
    EXPECT_FALSE(Serial::IsOpen());
    EXPECT_TRUE(dialogs.entries.empty());

    // The port chosen and the values the file lacked or could not read are
    // stored; [Ports] is the administrator's, and it and every other line
    // stay as they were.
    const QByteArray closed = "[Ports]\nCOM1=" + link + "\nCOM2=" + link + "\n[VESK]\n; by hand\nEkvithFillB=" +
                              FormatDecimal(-0.7).toUtf8() +
                              "\nWallTemp=19\nComPort=1\nEkvithFillA=0\nEkvithFillC=51\nWallDepth=45\nWallSensDepth=17\n";
    EXPECT_EQ(SettingsBytes(), closed);

    // A run that changes nothing leaves the file alone.
    CreateForm();
    EXPECT_EQ(Find<QComboBox>("cbComPort")->currentIndex(), 1);
    form->close();
    EXPECT_EQ(SettingsBytes(), closed);
}

// The port is opened exclusively: a window that went away without a close
// event (an exception, a test, a crash handler) must still let it go.
TEST_F(FormTest, AWindowDestroyedWithoutClosingReleasesItsPort)
{
    StartSim();
    WriteSettings();
    CreateForm();
    ASSERT_TRUE(Serial::IsOpen());
    form.reset();
    EXPECT_FALSE(Serial::IsOpen());
    // A second window opens the same port again without a word.
    CreateForm();
    EXPECT_TRUE(dialogs.entries.empty());
    EXPECT_TRUE(Serial::IsOpen());
    EXPECT_TRUE(ReadPage(0).has_value());
}

// A tab whose clean-up still talks to the Controller, shows a box and
// announces a new policy, as any tab's destructor may.
class FarewellTab : public TabPage {
public:
    FarewellTab(const TabContext& context, QWidget* parent) : TabPage(parent), context_(context)
    {
        setObjectName(QStringLiteral("tsFarewell"));
    }
    ~FarewellTab() override
    {
        emit PolicyChanged();
        std::uint8_t reply[16];
        context_.link.Transact(0x44, reply, sizeof reply);
        context_.dialogs.Information(QStringLiteral("sbohem"));
    }
    TabPolicy Policy() const override { return Policy::SettingsTab(); }

private:
    TabContext context_;
};

TEST_F(FormTest, TabsGoWhileTheWindowsServicesStillServeThem)
{
    WriteSettings();  // no Controller: the farewell exchange fails and is reported
    std::vector<TabRow> tabs = TabTable();
    tabs.push_back({"tsFarewell", "Sbohem",
                    [](const TabContext& context, QWidget* parent) -> TabPage* { return new FarewellTab(context, parent); }});
    form = std::make_unique<TMainForm>(&dialogs, nullptr, &fileSystem, tabs);
    ShowTab("tsFarewell");
    dialogs.Clear();
    form.reset();
    // Nothing else: removing the pages entered no other tab.
    ASSERT_EQ(dialogs.entries.size(), 2u);
    EXPECT_EQ(dialogs.entries[0].kind, Kind::Error);
    EXPECT_EQ(dialogs.entries[0].text, QStringLiteral("Chyba komunikace"));
    EXPECT_EQ(dialogs.entries[1].kind, Kind::Information);
}

// The adapter is pulled out while the window is idle, and the window is
// closed: the lock file goes with the port, although the link that named
// the device is gone.
TEST_F(FormTest, ClosingAfterAnUnplugRemovesTheLockFile)
{
    StartWindow();
    ASSERT_EQ(LockFiles().size(), 1);
    sim->Stop();
    form->close();
    EXPECT_TRUE(LockFiles().isEmpty()) << LockFiles().join(u' ').toStdString();
}

// An adapter is picked from the devices present and remembered by its
// stable name; replugged, it comes back as another ttyUSB and is chosen
// again at the next start.
TEST_F(FormTest, AnAdapterIsChosenAgainUnderItsNewNumber)
{
    StartSim();
    QTemporaryDir tree;
    const QString root = tree.path();
    const QString byId = root + QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_A1B2-if00-port0");
    auto plugIn = [&](const QString& tty) {
        QDir(root).removeRecursively();
        QDir().mkpath(root + QStringLiteral("/sys/devices/usb/1-1/1-1:1.0"));
        QDir().mkpath(root + QStringLiteral("/sys/class/tty/") + tty);
        QDir().mkpath(root + QStringLiteral("/dev/serial/by-id"));
        QFile product(root + QStringLiteral("/sys/devices/usb/1-1/product"));
        ASSERT_TRUE(product.open(QIODevice::WriteOnly));
        product.write("FT232R USB UART\n");
        product.close();
        ASSERT_TRUE(QFile::link(QStringLiteral("../../../devices/usb/1-1/1-1:1.0"),
                                root + QStringLiteral("/sys/class/tty/") + tty + QStringLiteral("/device")));
        // The device node leads to the simulator's line.
        ASSERT_TRUE(QFile::link(QString::fromStdString(sim->LinkPath()), root + QStringLiteral("/dev/") + tty));
        ASSERT_TRUE(QFile::link(QStringLiteral("../../") + tty, byId));
    };
    deviceRoots = {(root + QStringLiteral("/sys")).toStdString(), (root + QStringLiteral("/dev")).toStdString()};

    plugIn(QStringLiteral("ttyUSB0"));
    WriteSettings("ComPort=1\n", "COM2=/nonexistent/ttyVESK\n");
    dialogs.Clear();
    CreateForm();
    ASSERT_EQ(dialogs.Texts(Kind::Error).size(), 1) << "COM2 leads nowhere";
    auto* ports = Find<PortList>("cbComPort");
    ports->Refresh();
    const int adapter = ports->findData(byId);
    ASSERT_EQ(adapter, 8) << "right after COM1 … COM8";
    EXPECT_EQ(ports->itemText(adapter), QStringLiteral("ttyUSB0 – FT232R USB UART"));
    dialogs.Clear();
    ports->setCurrentIndex(adapter);
    emit ports->activated(adapter);
    EXPECT_TRUE(dialogs.entries.empty());
    EXPECT_TRUE(Serial::IsOpen());
    form->close();
    form.reset();

    plugIn(QStringLiteral("ttyUSB1"));
    CreateForm();
    EXPECT_TRUE(dialogs.entries.empty());
    EXPECT_TRUE(Serial::IsOpen());
    EXPECT_EQ(Find<PortList>("cbComPort")->CurrentName(), byId);
    EXPECT_EQ(Find<PortList>("cbComPort")->currentText(), QStringLiteral("ttyUSB1 – FT232R USB UART"));
    EXPECT_TRUE(ReadPage(0).has_value());
}

TEST_F(FormTest, UnwritableSettingsAreReportedOnceAndClosingGoesOn)
{
    StartSim();
    WriteSettings();
    CreateForm();
    ASSERT_TRUE(Serial::IsOpen());
    QFile blocker(settingsDir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(blocker.fileName() + QStringLiteral("/etc")));

    EXPECT_TRUE(form->close());
    EXPECT_FALSE(Serial::IsOpen());
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QStringLiteral("Failed to set data for 'EkvithFillA'")});
    EXPECT_EQ(dialogs.entries.size(), 1u);
}

TEST_F(FormTest, AFailedWriteNamesTheFirstChangedValueAndKeepsTheFile)
{
    StartSim();
    const QByteArray link = QByteArray::fromStdString(sim->LinkPath());
    WriteSettings("EkvithFillA=0\nEkvithFillB=-0.7\nEkvithFillC=51\nWallDepth=45\nWallSensDepth=17\nWallTemp=21\n"
                  "ComPort=0\n",
                  "COM2=" + link + "\n");
    const QByteArray old = SettingsBytes();
    CreateForm();
    Find<QComboBox>("cbComPort")->setCurrentIndex(1);
    form->cbComPortChange();
    fileSystem.failing = FailingStep::ShortWrite;
    form->close();
    EXPECT_FALSE(Serial::IsOpen());
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QStringLiteral("Failed to set data for 'ComPort'")});
    EXPECT_EQ(SettingsBytes(), old);
}

}  // namespace
