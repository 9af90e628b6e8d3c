// veskctl as a program: its command line, what it links, its port, its
// refusals, its terminal and its signals.  The verbs' work against the
// Controller is VeskctlVerbsTest.cpp.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <pty.h>
#include <unistd.h>

#include "cli/Verbs.h"
#include "link/PortAccess.h"
#include "link/Serial.h"
#include "tests/cli/VeskctlFixture.h"
#include "tests/support/Eeproms.h"
#include "tests/support/FileBytes.h"

namespace {

// A terminal for standard input and standard error: what veskctl writes
// there is read from the master side, and the user's answer typed there.
class Terminal {
public:
    Terminal()
    {
        char name[128] = {};
        if (::openpty(&master_, &slave_, name, nullptr, nullptr) == 0)
            path_ = QString::fromLocal8Bit(name);
        ::fcntl(master_, F_SETFL, O_NONBLOCK);
    }
    ~Terminal()
    {
        ::close(master_);
        ::close(slave_);
    }
    const QString& Path() const { return path_; }
    void Type(const char* text) const { ASSERT_GT(::write(master_, text, std::strlen(text)), 0); }
    QString Shown() const
    {
        QByteArray shown;
        char buffer[4096];
        for (ssize_t n; (n = ::read(master_, buffer, sizeof buffer)) > 0;)
            shown.append(buffer, n);
        return QString::fromUtf8(shown);
    }

private:
    int master_ = -1, slave_ = -1;
    QString path_;
};

// Each writing verb, on a Controller whose pages a good backup, file and
// image are made for.
struct Writing {
    const char* name;
    QStringList arguments;
};

}  // namespace

TEST_F(VeskctlTest, EveryVerbAnswersHelpWithItsUsageAndTheGeneralHelpListsThemAll)
{
    const Ran general = Run({QStringLiteral("--help")});
    EXPECT_EQ(general.exit, ExitDone);
    for (const Verb& verb : Verbs()) {
        const QString name = QString::fromUtf8(verb.name);
        const QByteArray synopsis = *verb.synopsis ? ' ' + QByteArray(verb.synopsis) : QByteArray();
        EXPECT_TRUE(general.out.contains("\n  " + name.toUtf8() + synopsis + '\n')) << verb.name;
        const Ran own = Run(name.split(u' ') << QStringLiteral("--help"));
        EXPECT_EQ(own.exit, ExitDone) << verb.name;
        EXPECT_TRUE(QString::fromUtf8(own.out).startsWith(QStringLiteral("Použití: ") + verb.Usage())) << verb.name;
    }
    // A group's word alone shows each verb of the group.
    const Ran group = Run({QStringLiteral("params"), QStringLiteral("--help")});
    EXPECT_EQ(group.exit, ExitDone);
    EXPECT_TRUE(group.out.contains("params save") && group.out.contains("params load"));
}

// veskctl speaks the first of the user's languages it has a catalogue for,
// Czech where it has none, and Qt's own messages follow the same choice.
TEST_F(VeskctlTest, ItSpeaksTheUsersLanguageWhereItHasOneElseCzech)
{
    using Variables = std::vector<std::pair<QString, QString>>;
    const auto variable = [](const char* name, const char* value) {
        return std::pair{QString::fromLatin1(name), QString::fromLatin1(value)};
    };
    const struct {
        Variables variables;
        bool english;
    } cases[] = {
        {{variable("LANGUAGE", "en")}, true},
        {{variable("LANG", "en_US.UTF-8")}, true},
        {{variable("LC_ALL", "en_GB.UTF-8"), variable("LANG", "cs_CZ.UTF-8")}, true},
        {{variable("LANGUAGE", "cs:en")}, false},
        {{variable("LANGUAGE", "de:en")}, true},
        {{variable("LANG", "de_DE.UTF-8")}, false},
        {{}, false},
    };
    for (const auto& c : cases) {
        localeVariables = c.variables;
        std::string where;
        for (const auto& [name, value] : c.variables)
            where += (name + u'=' + value + u' ').toStdString();
        const Ran verb = Run({QStringLiteral("frobnicate")});
        const Ran option = Run({QStringLiteral("--bogus"), QStringLiteral("info")});
        EXPECT_EQ(verb.exit, ExitUsage) << where;
        if (c.english) {
            EXPECT_EQ(verb.err, QStringLiteral("veskctl: Unknown command “frobnicate”. “veskctl --help” lists the commands.\n"))
                << where;
            EXPECT_EQ(option.err, QStringLiteral("veskctl: Unknown option 'bogus'.\n")) << where;
        } else {
            EXPECT_EQ(verb.err, QStringLiteral("veskctl: Neznámý příkaz „frobnicate“. Seznam příkazů vypíše „veskctl --help“.\n"))
                << where;
            EXPECT_EQ(option.err, QStringLiteral("veskctl: Neznámá volba 'bogus'.\n")) << where;
        }
    }
}

TEST_F(VeskctlTest, ABadCommandLineExitsTwoBeforeAnyPortIsOpened)
{
    // No port is configured that could open: a verb that got as far as the
    // port would exit 3.
    const std::vector<QStringList> lines = {
        {},
        {QStringLiteral("frobnicate")},
        {QStringLiteral("params"), QStringLiteral("frobnicate"), QStringLiteral("f")},
        {QStringLiteral("--bogus"), QStringLiteral("info")},
        {QStringLiteral("status"), QStringLiteral("--bogus")},
        {QStringLiteral("info"), QStringLiteral("extra")},
        {QStringLiteral("page"), QStringLiteral("read")},
        {QStringLiteral("page"), QStringLiteral("read"), QStringLiteral("16")},
        {QStringLiteral("page"), QStringLiteral("read"), QStringLiteral("-1")},
        {QStringLiteral("page"), QStringLiteral("read"), QStringLiteral("0x3")},
        {QStringLiteral("params"), QStringLiteral("save"), QStringLiteral("f")},
        {QStringLiteral("params"), QStringLiteral("save"), QStringLiteral("f"), QStringLiteral("--section=Const")},
        {QStringLiteral("clock"), QStringLiteral("set")},
        {QStringLiteral("clock"), QStringLiteral("set"), QStringLiteral("--pc"), QStringLiteral("12:00:00")},
        {QStringLiteral("clock"), QStringLiteral("set"), QStringLiteral("12:00"), QStringLiteral("1")},
        {QStringLiteral("clock"), QStringLiteral("set"), QStringLiteral("12:00:xx"), QStringLiteral("1")},
        {QStringLiteral("clock"), QStringLiteral("set"), QStringLiteral("12:300:00"), QStringLiteral("1")},
        {QStringLiteral("clock"), QStringLiteral("set"), QStringLiteral("12:00:00"), QStringLiteral("7")},
        {QStringLiteral("clock"), QStringLiteral("set"), QStringLiteral("12:00:00"), QStringLiteral("sunday")},
        {QStringLiteral("compare")},
    };
    for (const QStringList& line : lines) {
        const Ran ran = Run(line);
        EXPECT_EQ(ran.exit, ExitUsage) << line.join(u' ').toStdString() << ": " << ran.err.toStdString();
        EXPECT_TRUE(ran.err.startsWith(QStringLiteral("veskctl: "))) << line.join(u' ').toStdString();
        EXPECT_TRUE(ran.out.isEmpty()) << line.join(u' ').toStdString();
    }
}

TEST_F(VeskctlTest, LinksNoGraphicalLibrary)
{
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {QStringLiteral(VESKCTL_PATH)});
    ASSERT_EQ(Finished(ldd), 0);
    const QString libraries = QString::fromLocal8Bit(ldd.readAllStandardOutput());
    EXPECT_TRUE(libraries.contains(QStringLiteral("libQt6Core")));
    for (const char* graphical : {"libQt6Gui", "libQt6Widgets", "libQt6Svg", "libX11", "libxcb", "libGL"})
        EXPECT_FALSE(libraries.contains(QString::fromLatin1(graphical))) << graphical;
}

TEST_F(VeskctlTest, TheBashCompletionOffersTheTablesVerbsOptionsAndSections)
{
    auto complete = [](const QString& words) {
        QProcess bash;
        bash.start(QStringLiteral("bash"),
                   {QStringLiteral("-c"),
                    QStringLiteral("source '%1'; COMP_WORDS=(%2); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _veskctl; "
                                   "printf '%s\\n' \"${COMPREPLY[@]}\"")
                        .arg(QStringLiteral(VESKCTL_COMPLETION), words)});
        EXPECT_EQ(Finished(bash), 0);
        return QString::fromUtf8(bash.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    };
    QStringList firstWords;
    for (const Verb& verb : Verbs())
        if (const QString first = QString::fromUtf8(verb.name).section(u' ', 0, 0); !firstWords.contains(first))
            firstWords << first;
    firstWords.sort();
    EXPECT_EQ(complete(QStringLiteral("veskctl --quiet ''")), firstWords);
    EXPECT_EQ(complete(QStringLiteral("veskctl params ''")), (QStringList{"save", "load"}));
    EXPECT_EQ(complete(QStringLiteral("veskctl --port COM2 params load f.vsk --section ''")), SectionNames());
    EXPECT_EQ(complete(QStringLiteral("veskctl restore f.vskb --")),
              (QStringList{"--logs", "--counters", "--yes", "--help"}));
}

TEST_F(VeskctlTest, APortThatCannotBeOpenedExitsThreeWithTheWindowsReason)
{
    Ran ran = Run({QStringLiteral("info")});
    EXPECT_EQ(ran.exit, ExitPort);
    EXPECT_TRUE(ran.err.contains(QStringLiteral("Nelze otevřít port COM1\nZařízení ") + File("no-such-port") +
                                 QStringLiteral(" neexistuje.")))
        << ran.err.toStdString();

    ran = Run({QStringLiteral("--port"), QStringLiteral("COM9"), QStringLiteral("backup"), File("b.vskb")});
    EXPECT_EQ(ran.exit, ExitPort);
    EXPECT_TRUE(ran.err.contains(QStringLiteral("Nelze otevřít port COM9\nPort zadejte"))) << ran.err.toStdString();
    EXPECT_FALSE(QFile::exists(File("b.vskb")));

    // No port chosen at all: the settings name none.
    WriteSettings("ComPort=8\n");
    EXPECT_EQ(Run({QStringLiteral("info")}).exit, ExitPort);
}

TEST_F(VeskctlTest, AndTheWindowNeverShareAPortWithIt)
{
    StartSim();
    // The window's side: the same opener, holding the port.
    Serial::SetPortMap({{"COM1", sim->LinkPath()}});
    ASSERT_TRUE(Serial::OpenPort("COM1", 9600));
    const Ran ran = Run({QStringLiteral("info")});
    EXPECT_EQ(ran.exit, ExitPort);
    EXPECT_TRUE(ran.err.contains(QStringLiteral("(PID %1)").arg(::getpid()))) << ran.err.toStdString();

    // The list says the same without opening anything.
    const Ran ports = Run({QStringLiteral("ports"), QStringLiteral("--json")});
    Serial::ClosePort();
    ASSERT_EQ(ports.exit, ExitDone);
    const QJsonObject com1 = QJsonDocument::fromJson(ports.out).array().at(0).toObject();
    EXPECT_EQ(com1.value(QStringLiteral("state")).toString(), QStringLiteral("in-use"));
    EXPECT_EQ(com1.value(QStringLiteral("pid")).toInteger(), ::getpid());
    EXPECT_TRUE(Received().empty());
}

TEST_F(VeskctlTest, PortsListsTheWindowsPortsWithTheirStates)
{
    StartSim();
    Put(File("plain"), "not a device");
    WriteSettings({}, "COM2=" + File("absent").toUtf8() + "\nCOM3=/dev/null\nCOM4=" + File("plain").toUtf8() + '\n');
    const Ran ran = Run({QStringLiteral("ports"), QStringLiteral("--json")});
    ASSERT_EQ(ran.exit, ExitDone) << ran.err.toStdString();
    const QJsonArray ports = QJsonDocument::fromJson(ran.out).array();
    ASSERT_GE(ports.size(), 8);
    const std::pair<const char*, const char*> expected[] = {
        {"COM1", "present"}, {"COM2", "missing"}, {"COM3", "not-serial"}, {"COM4", "not-serial"},
    };
    for (int i = 0; i < 4; ++i) {
        const QJsonObject port = ports.at(i).toObject();
        EXPECT_EQ(port.value(QStringLiteral("name")).toString(), QString::fromLatin1(expected[i].first));
        EXPECT_EQ(port.value(QStringLiteral("state")).toString(), QString::fromLatin1(expected[i].second)) << i;
        EXPECT_EQ(port.value(QStringLiteral("chosen")).toBool(), i == 0);
    }
    EXPECT_EQ(ports.at(0).toObject().value(QStringLiteral("path")).toString(),
              QString::fromStdString(sim->LinkPath()));
    EXPECT_TRUE(Received().empty());
}

TEST_F(VeskctlTest, WritingWithoutATerminalOrYesIsRefusedBeforeAnyByte)
{
    StartSim();
    const std::vector<std::uint8_t> before = Eeprom();
    BackupOf(EepromImage(3), "b.vskb");
    Put(File("p.vsk"), "[Ekvith]\r\nEkvith0=40\r\n");
    Put(File("page.bin"), QByteArray(256, '\x55'));
    const std::size_t probed = sim->Received().size();

    const Writing verbs[] = {
        {"restore", {QStringLiteral("restore"), File("b.vskb")}},
        {"params load", {QStringLiteral("params"), QStringLiteral("load"), File("p.vsk"), QStringLiteral("--section"),
                         QStringLiteral("ekvith")}},
        {"page write", {QStringLiteral("page"), QStringLiteral("write"), QStringLiteral("3"), File("page.bin")}},
        {"reset", {QStringLiteral("reset")}},
    };
    for (const Writing& verb : verbs) {
        const Ran ran = Run(verb.arguments);
        EXPECT_EQ(ran.exit, ExitUsage) << verb.name;
        EXPECT_TRUE(ran.err.contains(QStringLiteral("--yes"))) << verb.name;
    }
    EXPECT_EQ(Received().size(), probed) << "a byte reached the Controller";
    EXPECT_EQ(Eeprom(), before);
}

TEST_F(VeskctlTest, OnATerminalAWriteIsAskedAndOnlyYesSendsIt)
{
    StartSim();
    Terminal no;
    no.Type("n\n");
    Ran ran = Run({QStringLiteral("reset")}, no.Path());
    EXPECT_EQ(ran.exit, ExitUsage);
    EXPECT_TRUE(no.Shown().contains(QStringLiteral("Opravdu resetovat? [a/N]")));
    EXPECT_TRUE(Received().empty());

    Terminal yes;
    yes.Type("a\n");
    ran = Run({QStringLiteral("reset")}, yes.Path());
    EXPECT_EQ(ran.exit, ExitDone);
    EXPECT_EQ(Received(), std::vector<std::uint8_t>{0x50});
}

TEST_F(VeskctlTest, ProgressShowsOnlyOnATerminal)
{
    StartSim();
    Terminal terminal;
    ASSERT_EQ(Run({QStringLiteral("backup"), File("a.vskb")}, terminal.Path()).exit, ExitDone);
    EXPECT_TRUE(terminal.Shown().contains(QStringLiteral("Zálohování: Stránka 16 z 16")));

    const Ran piped = Run({QStringLiteral("backup"), File("b.vskb")});
    ASSERT_EQ(piped.exit, ExitDone);
    EXPECT_TRUE(piped.err.isEmpty()) << piped.err.toStdString();
}

TEST_F(VeskctlTest, WatchStoppedBySigintExitsZeroAndReleasesThePort)
{
    StartSim();
    const QString lock = QStringLiteral("/run/lock/") + QString::fromStdString(Serial::LockFileName(sim->LinkPath()));
    const bool locks = ::access("/run/lock", W_OK) == 0;
    if (!locks)
        std::cout << "[ NOTE ] /run/lock is not writable here: the lock file is not checked\n";

    for (const bool json : {true, false}) {
        QStringList arguments{QStringLiteral("status"), QStringLiteral("--watch")};
        if (json)
            arguments << QStringLiteral("--json");
        const auto process = Start(arguments);
        // Three ticks: the first shows everything, the later ones what changed.
        QList<QByteArray> ticks;
        while (ticks.size() < 3 && process->waitForReadyRead(5000))
            ticks << process->readAll();
        ASSERT_EQ(ticks.size(), 3) << process->readAllStandardError().toStdString();
        EXPECT_TRUE(!locks || QFile::exists(lock));
        ::kill(pid_t(process->processId()), SIGINT);
        EXPECT_EQ(Finished(*process), ExitDone);
        EXPECT_TRUE(!locks || !QFile::exists(lock));

        if (json) {
            for (const QByteArray& tick : ticks) {
                ASSERT_TRUE(tick.endsWith('\n'));
                EXPECT_TRUE(QJsonDocument::fromJson(tick).isObject()) << tick.toStdString();
            }
        } else {
            EXPECT_TRUE(ticks[0].contains("Čidlo 0") && ticks[0].contains("Režim:"));
            for (const QByteArray& tick : {ticks[1], ticks[2]}) {
                EXPECT_TRUE(tick.contains("Regulátor: 10:20:")) << tick.toStdString();
                EXPECT_FALSE(tick.contains("Čidlo") || tick.contains("Režim:")) << tick.toStdString();
            }
        }
    }
    // Openable again, by the window as by anyone.
    Serial::SetPortMap({{"COM1", sim->LinkPath()}});
    EXPECT_TRUE(Serial::OpenPort("COM1", 9600));
}
