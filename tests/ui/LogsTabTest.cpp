// The tab "Záznamy" end to end: the window's handlers against the simulated
// Controller's log rings.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTableView>

#include "FormFixture.h"
#include "controller/LogTable.h"
#include "controller/Win1250.h"
#include "ui/LogsTab.h"

namespace {

using Kind = RecordingDialogs::Kind;

const QDateTime Now(QDate(2024, 1, 1), QTime(7, 42));  // a Monday

struct Pages {
    PageBuffer page0;
    std::array<PageBuffer, 4> rings;  // pages 12..15
};

class LogsTabTest : public FormTest {
protected:
    void StartWindow(const QByteArray& portLines = {})
    {
        FormTest::StartWindow({}, {}, portLines);
        Find<LogsTab>("tsLogs")->SetClock([this] { return now; });
        ShowTab("tsLogs");
    }

    QTableView* Grid() { return Find<QTableView>("sgLogs"); }
    void Read() { Find<QPushButton>("btRead")->click(); }

    // What the grid shows in cell (column, row), row 0 the headings.
    QString Cell(int column, int row)
    {
        QAbstractItemModel* model = Grid()->model();
        return row == 0 ? model->headerData(column, Qt::Horizontal).toString()
                        : model->index(row - 1, column).data().toString();
    }

    Pages ControllerPages()
    {
        Pages pages{ReadPage(0).value(), {}};
        for (int k = 0; k < 4; ++k)
            pages.rings[std::size_t(k)] = ReadPage(12 + k).value();
        return pages;
    }

    // Every hour of columns first..last shows the entries of these rings in
    // ring order from their log index, under the sensor's heading.
    void ExpectColumns(const Pages& pages, int first, int last, const char* what)
    {
        const int index = pages.page0[6];
        for (int column = first; column <= last; ++column) {
            if (column < 4) {
                EXPECT_EQ(Cell(column, 0), LogSensorRole(pages.page0[std::size_t(40 + column)])) << what;
            }
            for (int row = 1; row <= 256; ++row) {
                const std::uint8_t entry = pages.rings[std::size_t(column - 1)][std::size_t((index + row) % 256)];
                ASSERT_EQ(Cell(column, row), column == 4 ? LogBoilerText(entry) : LogTemperatureText(entry))
                    << what << ": column " << column << " row " << row;
            }
        }
    }

    QString Copy(int first, int last)
    {
        auto* model = Grid()->model();
        Grid()->selectionModel()->select(QItemSelection(model->index(first - 1, 1), model->index(last - 1, 4)),
                                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        Find<QPushButton>("btLogsCopy")->click();
        return QGuiApplication::clipboard()->text();
    }

    QByteArray Save(const QString& path)
    {
        dialogs.fileNames.push_back(path);
        Find<QPushButton>("btSave")->click();
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
    }

    QDateTime now = Now;
    QTemporaryDir files;
    std::unique_ptr<SimProcess> secondSim;  // outlives the window
};

TEST_F(LogsTabTest, ReadFillsEveryHourAndShowsTheNewest)
{
    StartWindow();
    const Pages pages = ControllerPages();
    const std::size_t before = sim->Trace().size();
    Read();
    EXPECT_TRUE(dialogs.entries.empty());
    const auto trace = SettledTraceFrom(before, 5);
    EXPECT_EQ(Cmds(trace), (std::vector<std::string>{"20", "2c", "2d", "2e", "2f"}));
    EXPECT_EQ(trace.size(), 5u);

    ExpectColumns(pages, 1, 4, "read");
    const int index = pages.page0[6];
    EXPECT_EQ(Cell(4, 256), LogBoilerText(pages.rings[3][index]));  // the newest, at the log index
    EXPECT_EQ((QStringList{Cell(0, 0), Cell(1, 0), Cell(2, 0), Cell(3, 0), Cell(4, 0), Cell(0, 1), Cell(0, 256)}),
              (QStringList{"Datum", "Venkovní", "Výst. voda", "Vnitřní", "Kotel", "Čt 16:00", "Po 7:00"}));
    QScrollBar* bar = Grid()->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(LogsTabTest, AFailedPageKeepsTheColumnsBeforeItNewAndTheRestOld)
{
    // A second Controller on COM2, with logs and logged sensors of its own,
    // whose third temperature ring cannot be read.
    const QString image = files.filePath(QStringLiteral("second.bin"));
    QByteArray eeprom(4096, '\0');
    eeprom[6] = 0x10, eeprom[41] = 5, eeprom[42] = 6, eeprom[43] = 7;
    for (int e = 0; e < 256; ++e)
        eeprom[12 * 256 + e] = char(e), eeprom[13 * 256 + e] = char(255 - e), eeprom[15 * 256 + e] = 0x0F;
    QFile file(image);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(eeprom) == 4096 && file.flush());
    secondSim = std::make_unique<SimProcess>(
        VESK_SIM_PATH, std::vector<std::string>{"--eeprom", QFile::encodeName(image).toStdString(), "--short-reply", "2E:10"});
    StartWindow("COM2=" + QByteArray::fromStdString(secondSim->LinkPath()) + "\n");

    const Pages first = ControllerPages();
    Read();
    ExpectColumns(first, 1, 4, "first Controller");

    Find<QComboBox>("cbComPort")->setCurrentIndex(1);
    form->cbComPortChange();
    ASSERT_TRUE(dialogs.entries.empty());
    Pages second = first;
    second.page0 = ReadPage(0).value();
    second.rings[0] = ReadPage(12).value();
    second.rings[1] = ReadPage(13).value();
    const std::size_t before = secondSim->Trace().size();
    Read();
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QStringLiteral("Chyba komunikace")});
    EXPECT_EQ(dialogs.entries.size(), 1u);
    ExpectColumns(second, 1, 2, "columns read");
    EXPECT_EQ(Cell(2, 0), QStringLiteral("Uživ. 2"));
    ExpectColumns(first, 3, 4, "columns kept");
    // Page 15 is never asked for.
    secondSim->WaitForTraceCount(before + 5, 300);
    auto trace = secondSim->Trace();
    trace.erase(trace.begin(), trace.begin() + std::ptrdiff_t(before));
    EXPECT_EQ(Cmds(trace), (std::vector<std::string>{"20", "2c", "2d", "2e"}));
}

TEST_F(LogsTabTest, CopyTakesTheSelectedRows)
{
    StartWindow();
    // A fresh grid has its first hour selected, as the grid always has one.
    Find<QPushButton>("btLogsCopy")->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Čt 16:00\t\t\t\t\r\n"));
    EXPECT_EQ(Copy(255, 256), QStringLiteral("Po 6:00\t\t\t\t\r\nPo 7:00\t\t\t\t\r\n"));

    const Pages pages = ControllerPages();
    Read();
    const int index = pages.page0[6];
    const unsigned boiler = 16u * pages.rings[3][index];
    EXPECT_EQ(Copy(256, 256), QStringLiteral("Po 7:00\t%1\t%2\t%3\t%4 min %5 \r\n")
                                  .arg(std::int8_t(pages.rings[0][index]))
                                  .arg(std::int8_t(pages.rings[1][index]))
                                  .arg(std::int8_t(pages.rings[2][index]))
                                  .arg(boiler / 60)
                                  .arg(boiler % 60));
    EXPECT_EQ(Copy(10, 19).count(QStringLiteral("\r\n")), 10);
}

TEST_F(LogsTabTest, SaveWritesWhatTheGridShowsOrNothing)
{
    StartWindow();
    Read();
    const QString impossible = files.filePath(QStringLiteral("no-such-folder/logs.csv"));
    EXPECT_EQ(Save(impossible), "<no file>");
    const QStringList errors = dialogs.Texts(Kind::Error);
    ASSERT_EQ(errors.size(), 1);
    const QString start = "Cannot create file \"" + impossible + "\". ";
    EXPECT_TRUE(errors[0].startsWith(start) && errors[0].size() > start.size()) << errors[0].toStdString();
    EXPECT_TRUE(QDir(files.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));

    dialogs.Clear();
    const QByteArray csv = Save(files.filePath(QStringLiteral("logs.csv")));
    ASSERT_EQ(dialogs.entries.size(), 1u);
    EXPECT_EQ(dialogs.entries[0].settings,
              (FileDialogSettings{QStringLiteral("Soubory formátu CSV (*.csv)|*.csv|Všechny soubory (*.*)|*.*"),
                                  QStringLiteral("csv")}));
    // As a spreadsheet reads it: 257 lines of five fields, in Windows-1250.
    QList<QByteArray> lines = csv.split('\n');
    ASSERT_EQ(lines.size(), 258);
    EXPECT_EQ(lines.takeLast(), QByteArray());
    for (int row = 0; row <= 256; ++row) {
        ASSERT_TRUE(lines[row].endsWith('\r')) << row;
        const QList<QByteArray> fields = lines[row].chopped(1).split(';');
        ASSERT_EQ(fields.size(), 5) << row;
        for (int column = 0; column < 5; ++column)
            EXPECT_EQ(Win1250::Decode(fields[column]), Cell(column, row)) << column << "," << row;
    }
}

TEST_F(LogsTabTest, ShowingTheTabLaterMovesTheLabelsOnly)
{
    StartWindow();
    Read();
    auto column = [this](int c) {
        QStringList texts;
        for (int row = 1; row <= 256; ++row)
            texts << Cell(c, row);
        return texts;
    };
    const QStringList labels = column(0), boiler = column(4), outdoor = column(1);
    const std::size_t traced = sim->Trace().size();

    now = Now.addSecs(3600);
    ShowTab("tsConst");
    ShowTab("tsLogs");
    EXPECT_EQ(column(0).mid(0, 255), labels.mid(1));
    EXPECT_EQ(Cell(0, 256), QStringLiteral("Po 8:00"));
    EXPECT_EQ(column(1), outdoor);
    EXPECT_EQ(column(4), boiler);
    EXPECT_EQ(SettledTrace(traced).size(), traced);  // nothing asked of the Controller
}

TEST_F(LogsTabTest, TheGridAsDesigned)
{
    StartWindow();
    form->show();
    QApplication::processEvents();
    QTableView* grid = Grid();
    // Stretched to the bottom edge of the tab as the window lays it out.
    EXPECT_EQ(grid->geometry(), QRect(8, 8, 365, Find<QWidget>("tsLogs")->height() - 8 - 22));
    for (int column = 0; column < 5; ++column)
        EXPECT_EQ(grid->columnWidth(column), column == 4 ? 100 : 60) << column;
    EXPECT_EQ(grid->rowHeight(0), 16);
    EXPECT_FALSE(grid->model()->flags(grid->model()->index(0, 0)) & Qt::ItemIsSelectable);
    auto* copy = Find<QPushButton>("btLogsCopy");
    EXPECT_EQ(copy->geometry(), QRect(416, 32, 75, 25));
    // The caption fits inside the button's frame in this platform's font.
    QStyleOptionButton option;
    option.initFrom(copy);
    EXPECT_GE(copy->style()->subElementRect(QStyle::SE_PushButtonContents, &option, copy).width(),
              copy->fontMetrics().horizontalAdvance(copy->text()));
}

}  // namespace
