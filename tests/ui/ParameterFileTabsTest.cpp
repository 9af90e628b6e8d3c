// "Otevřít..." and "Uložit..." on the four settings tabs, through the
// window's buttons and file dialogs: what each tab puts into a parameter
// file and takes back from it.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cstring>
#include <sys/stat.h>

#include "FormFixture.h"
#include "shell/Texts.h"
#include "tests/support/Unprivileged.h"
#include "ui/ConstTab.h"
#include "ui/EkvithTab.h"
#include "ui/ModeGrid.h"
#include "ui/ModeTab.h"
#include "ui/OutdoorList.h"
#include "ui/SpinEdit.h"
#include "ui/WallTab.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FillInputValues.h"

namespace {

using Kind = RecordingDialogs::Kind;

class ParameterFileTabsTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        ASSERT_TRUE(files.isValid());
        // Reachable for the unprivileged child of the permission test.
        ASSERT_EQ(::chmod(QFile::encodeName(files.path()).constData(), 0777), 0);
    }
    void TearDown() override
    {
        ::chmod(QFile::encodeName(files.path()).constData(), 0777);
        FormTest::TearDown();
    }

    // A window without a Controller: the files need none.
    void StartWindow()
    {
        WriteSettings();
        CreateForm();
        dialogs.Clear();
    }

    QString File(const char* name) const { return files.filePath(QString::fromLatin1(name)); }

    void Save(const char* tab, const QString& path)
    {
        ShowTab(tab);
        dialogs.fileNames.push_back(path);
        Find<QPushButton>("btSave")->click();
    }
    void Load(const char* tab, const QString& path)
    {
        ShowTab(tab);
        dialogs.fileNames.push_back(path);
        Find<QPushButton>("btLoad")->click();
    }

    ConstTab* Const() { return Find<ConstTab>("tsConst"); }
    EkvithTab* Ekvith() { return Find<EkvithTab>("tsEkvith"); }
    ModeTab* Mode() { return Find<ModeTab>("tsMode"); }
    WallTab* Wall() { return Find<WallTab>("tsWall"); }
    QLineEdit* NameEdit(int i) { return Find<QLineEdit>(QStringLiteral("edSens%1Name").arg(i).toLatin1().constData()); }

    QTemporaryDir files;
};

OutdoorTable Rows(int first)
{
    OutdoorTable table;
    for (int row = 0; row < OutdoorTable::RowCount; ++row)
        table.SetValue(row, QString::number(first - row));
    return table;
}

ModeProgram Program()
{
    std::vector<std::uint8_t> bytes(ModeProgram::Size);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = std::uint8_t(i * 37 + i / 96);
    ModeProgram program;
    program.ReplaceRaw(bytes);
    return program;
}

// All four tabs into one file, each loaded back into a new window: the same
// values, and saved once more, the same bytes.
TEST_F(ParameterFileTabsTest, FourTabsMakeARoundTripThroughOneFile)
{
    StartWindow();
    Find<SpinEdit>("seEkvMaxTemp")->setValue(70);
    Find<SpinEdit>("seShift")->setValue(-10);
    Find<SpinEdit>("seSens3Corr")->setValue(-5);
    Find<QComboBox>("cbMode")->setCurrentIndex(3);
    Find<QComboBox>("cbThstatSens")->setCurrentIndex(-1);
    Find<QComboBox>("cbLog2")->setCurrentIndex(7);
    Find<QCheckBox>("cbSens2Used")->setChecked(true);
    NameEdit(2)->setText(QStringLiteral("Kotel č.2"));
    Ekvith()->SetTable(Rows(79));
    Ekvith()->SetInputs(CurveInputs("0,01", "-0,7", "51"));
    Find<QRadioButton>("rbModeB")->setChecked(true);
    Mode()->ReplaceProgram(Program());
    Wall()->SetTable(Rows(-2));
    Wall()->SetInputs(WallInputs(40, 22, 15, "-0,5"));

    const char* tabs[] = {"tsConst", "tsEkvith", "tsMode", "tsWall"};
    const QString first = File("kotelna.vsk");
    for (const char* tab : tabs)
        Save(tab, first);
    EXPECT_TRUE(dialogs.Texts(Kind::Error).isEmpty());
    // Every save asked for a file with the configuration filter and "vsk".
    ASSERT_EQ(dialogs.entries.size(), 4u);
    for (const auto& entry : dialogs.entries) {
        EXPECT_EQ(entry.kind, Kind::SaveFile);
        EXPECT_EQ(entry.settings,
                  (FileDialogSettings{Text::Filter::Configuration(), QStringLiteral("vsk")}));
    }
    const QByteArray saved = Contents(first);
    qsizetype at = 0;
    for (const char* header : {"[Const]\r\n", "[Ekvith]\r\n", "[ModeB]\r\n", "[Wall]\r\n"}) {
        const qsizetype next = saved.indexOf(header, at);
        EXPECT_GE(next, at) << header;
        EXPECT_EQ(saved.count(header), 1) << header;
        at = std::max(at, next);
    }

    const RegulationConstants constants = Const()->Model();
    form.reset();
    StartWindow();
    Find<QRadioButton>("rbModeB")->setChecked(true);
    for (const char* tab : tabs)
        Load(tab, first);
    EXPECT_TRUE(Const()->Model() == constants);
    EXPECT_EQ(Find<QComboBox>("cbThstatSens")->currentIndex(), -1);
    EXPECT_EQ(NameEdit(2)->text(), QStringLiteral("Kotel č.2"));
    EXPECT_TRUE(Ekvith()->Table() == Rows(79));
    EXPECT_EQ(Ekvith()->Inputs(), CurveInputs("0,01", "-0,7", "51"));
    EXPECT_TRUE(Mode()->Program() == Program());
    EXPECT_TRUE(Wall()->Table() == Rows(-2));
    EXPECT_EQ(Wall()->Inputs(), WallInputs(40, 22, 15, "-0,5"));

    const QString second = File("kopie.vsk");
    for (const char* tab : tabs)
        Save(tab, second);
    EXPECT_EQ(Contents(second), saved);
    EXPECT_TRUE(dialogs.Texts(Kind::Error).isEmpty());
}

// Names from a file are taken whole; typing never makes a name longer
// than 15 characters, nor a longer one longer than it came.
TEST_F(ParameterFileTabsTest, ALongNameIsKeptWholeButTypingStaysWithinFifteen)
{
    StartWindow();
    const QString twenty = QStringLiteral("Venkovní čidlo sever");
    Put(File("jmena.vsk"), "[Const]\r\nSens2Name=Venkovn\xED \xE8idlo sever\r\n");
    Load("tsConst", File("jmena.vsk"));
    EXPECT_EQ(NameEdit(2)->text(), twenty);

    Key(NameEdit(2), Qt::Key_End);
    Key(NameEdit(2), Qt::Key_A, QStringLiteral("a"));
    EXPECT_EQ(NameEdit(2)->text(), twenty);
    Key(NameEdit(2), Qt::Key_Backspace);
    Key(NameEdit(2), Qt::Key_A, QStringLiteral("a"));
    EXPECT_EQ(NameEdit(2)->text(), twenty.chopped(1));
    for (int i = 0; i < 20; ++i)
        Key(NameEdit(0), Qt::Key_A, QStringLiteral("a"));
    EXPECT_EQ(NameEdit(0)->text(), QString(15, u'a'));

    Save("tsConst", File("jmena.vsk"));
    EXPECT_TRUE(Contents(File("jmena.vsk")).contains("\r\nSens2Name=Venkovn\xED \xE8idlo seve\r\n"));
    EXPECT_TRUE(Contents(File("jmena.vsk")).contains("\r\nSens0Name=aaaaaaaaaaaaaaa\r\n"));
}

// A list position outside its list shows no selection, and the next write
// to the Controller stops at it; the counters keep what was read.
TEST_F(ParameterFileTabsTest, AModeOutsideItsListStopsTheNextWrite)
{
    StartSim();
    WriteSettings();
    CreateForm();
    dialogs.Clear();
    Find<QPushButton>("btRead")->click();
    const QString runCount = Find<QLineEdit>("edRunCount")->text();
    const QString runTime = Find<QLineEdit>("edBlrCounter")->text();
    for (const char* entry : {"Mode=7", "Mode=-1"}) {
        Put(File("rezim.vsk"), QByteArray("[Const]\r\n") + entry + "\r\n");
        Find<QComboBox>("cbMode")->setCurrentIndex(1);
        Load("tsConst", File("rezim.vsk"));
        EXPECT_EQ(Find<QComboBox>("cbMode")->currentIndex(), -1) << entry;
        EXPECT_EQ(Find<QLineEdit>("edRunCount")->text(), runCount) << entry;
        EXPECT_EQ(Find<QLineEdit>("edBlrCounter")->text(), runTime) << entry;

        dialogs.Clear();
        const std::size_t before = sim->Trace().size();
        dialogs.answers.push_back(true);
        Find<QPushButton>("btWrite")->click();
        EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QStringLiteral("Range check error")}) << entry;
        EXPECT_EQ(Cmds(SettledTraceFrom(before, 1)), std::vector<std::string>{"20"}) << entry;
    }
}

TEST_F(ParameterFileTabsTest, AFileWithoutTheTabsSectionGivesItsDefaults)
{
    StartWindow();
    Put(File("jen-const.vsk"), "[Const]\r\nEkvith-40=5\r\nData=00\r\nWallDepth=3\r\n");
    OutdoorTable zeros;
    for (int row = 0; row < OutdoorTable::RowCount; ++row)
        zeros.SetValue(row, QStringLiteral("0"));

    Ekvith()->SetTable(Rows(79));
    Ekvith()->SetInputs(CurveInputs("1", "2", "3"));
    int redraws = 0;
    QObject guard;
    QObject::connect(Find<OutdoorList>("vlEkvith"), &OutdoorList::Changed, &guard, [&redraws] { ++redraws; });
    Load("tsEkvith", File("jen-const.vsk"));
    EXPECT_TRUE(Ekvith()->Table() == zeros);
    EXPECT_EQ(Ekvith()->Inputs(), CurveInputs("0", "0", "0"));
    EXPECT_EQ(redraws, 1);

    Wall()->SetTable(Rows(-2));
    Wall()->SetInputs(WallInputs(45, 21, 17, "-0,7"));
    Load("tsWall", File("jen-const.vsk"));
    EXPECT_TRUE(Wall()->Table() == zeros);
    EXPECT_EQ(Wall()->Inputs(), WallInputs(0, 0, 0, "0"));

    Mode()->ReplaceProgram(Program());
    Load("tsMode", File("jen-const.vsk"));
    EXPECT_TRUE(Mode()->Program() == Program());
    EXPECT_TRUE(dialogs.Texts(Kind::Error).isEmpty());
}

// "Otevřít..." on what is no parameter file at all (a FIFO nobody writes, a
// link to /dev/zero, a folder): said once with the reason, at once, and the
// tab keeps what it showed; a saved copy of each tab stays byte for byte.
TEST_F(ParameterFileTabsTest, APathThatIsNoFileIsRefusedAndTheTabKeepsItsValues)
{
    StartWindow();
    Ekvith()->SetTable(Rows(79));
    Wall()->SetTable(Rows(-2));
    Mode()->ReplaceProgram(Program());
    const QString fifo = File("fifo.vsk"), zero = File("zero.vsk"), folder = File("folder.vsk");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    ASSERT_TRUE(QDir(files.path()).mkdir(QStringLiteral("folder.vsk")));
    const QString notAFile = QStringLiteral("Not a regular file");
    const std::pair<QString, QString> paths[] = {
        {fifo, notAFile}, {zero, notAFile}, {folder, QString::fromLocal8Bit(std::strerror(EISDIR))}};
    for (const char* tab : {"tsConst", "tsEkvith", "tsMode", "tsWall"}) {
        Save(tab, File("before.vsk"));
        for (const auto& [path, reason] : paths) {
            dialogs.Clear();
            Load(tab, path);
            EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QStringLiteral("Cannot open file \"%1\". %2").arg(path, reason)})
                << tab;
        }
        Save(tab, File("after.vsk"));
        EXPECT_EQ(Contents(File("after.vsk")), Contents(File("before.vsk"))) << tab;
    }
}

// The selected program's section alone; a section without a whole program
// leaves the grid as it was and draws nothing.
TEST_F(ParameterFileTabsTest, TheModeTabUsesTheSectionOfTheSelectedProgram)
{
    StartWindow();
    Find<QRadioButton>("rbModeB")->setChecked(true);
    const QByteArray others = "[ModeA]\r\nData=" + QByteArray(1344, '4') + "\r\n\r\n[ModeC]\r\nData=" +
                              QByteArray(1344, '8') + "\r\n";
    const QString path = File("rezimy.vsk");
    int redraws = 0;
    QObject guard;
    QObject::connect(Find<ModeGrid>("dgMode")->Model(), &QAbstractItemModel::dataChanged, &guard,
                     [&redraws] { ++redraws; });
    Put(path, others + "\r\n[ModeB]\r\nData=" + QByteArray(1342, '1') + "\r\n");
    Load("tsMode", path);
    EXPECT_TRUE(Mode()->Program() == ModeProgram());
    EXPECT_EQ(redraws, 0);

    Put(path, others + "\r\n[ModeB]\r\nData=" + QByteArray(1344, 'c') + "\r\n");
    Load("tsMode", path);
    EXPECT_EQ(Mode()->Program().Cell(6, 95).bits, 0xCC);
    EXPECT_EQ(redraws, 1);

    const ModeProgram program = Program();
    Mode()->ReplaceProgram(program);
    Save("tsMode", path);
    QByteArray hex;
    for (std::uint8_t byte : program.Raw())
        hex += QByteArray::number(byte, 16).rightJustified(2, '0').toUpper();
    EXPECT_EQ(Contents(path), others + "\r\n[ModeB]\r\nData=" + hex + "\r\n");
}

// A save that cannot be written says so once, names the file, and leaves
// the old file whole: a full disk halfway, and a user who may not write
// the file or its folder.
TEST_F(ParameterFileTabsTest, ASaveThatCannotBeWrittenIsReportedOnceAndChangesNothing)
{
    StartWindow();
    const QString path = File("stara.vsk");
    const QByteArray old = "; the old set\r\n[Const]\r\nShift=3\r\n";
    Put(path, old);
    const QStringList unable{QStringLiteral("Unable to write to ") + path};
    fileSystem.failing = FailingStep::ShortWrite;
    for (const char* tab : {"tsConst", "tsEkvith", "tsMode", "tsWall"}) {
        dialogs.Clear();
        Save(tab, path);
        EXPECT_EQ(dialogs.Texts(Kind::Error), unable) << tab;
        EXPECT_EQ(Contents(path), old) << tab;
    }
    fileSystem.failing = FailingStep::None;

    const auto saveAsNobody = [&](const char* tab) {
        ShowTab(tab);
        dialogs.Clear();
        dialogs.fileNames.push_back(path);
        return RunUnprivileged([&] {
            Find<QPushButton>("btSave")->click();
            return dialogs.Texts(Kind::Error) == unable ? 0 : 1;
        });
    };
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0644), 0);
    EXPECT_EQ(saveAsNobody("tsWall"), 0);
    EXPECT_EQ(Contents(path), old);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(files.path()).constData(), 0555), 0);
    EXPECT_EQ(saveAsNobody("tsConst"), 0);
    EXPECT_EQ(Contents(path), old);
}

}  // namespace
