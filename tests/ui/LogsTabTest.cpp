// The tab "Záznamy" end to end: the window's handlers against the simulated
// Controller's log rings.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTableView>
#include <chrono>
#include <thread>

#include "FormFixture.h"
#include "controller/Logs.h"
#include "controller/Win1250.h"
#include "files/AtomicFile.h"
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
    void StartWindow(std::vector<std::string> simArgs = {}, const QByteArray& portLines = {})
    {
        StartSim(std::move(simArgs));
        WriteSettings({}, portLines);
        CreateForm();
        ASSERT_TRUE(dialogs.entries.empty());
        Tab()->SetClock([this] { return now; });
        ShowTab("tsLogs");
    }

    LogsTab* Tab() { return Find<LogsTab>("tsLogs"); }
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
        Pages pages{};
        pages.page0 = ReadPage(0).value();
        for (int k = 0; k < 4; ++k)
            pages.rings[std::size_t(k)] = ReadPage(12 + k).value();
        return pages;
    }

    // Every hour of columns first..last shows the ring entries of these
    // pages, in ring order from their log index, under their headings.
    void ExpectColumns(const Pages& pages, int first, int last, const char* what)
    {
        const int index = pages.page0[6];
        for (int column = first; column <= last; ++column) {
            const PageBuffer& ring = pages.rings[std::size_t(column - 1)];
            if (column < 4) {
                EXPECT_EQ(Cell(column, 0), LogSensorRole(pages.page0[std::size_t(40 + column)])) << what;
            }
            for (int row = 1; row <= 256; ++row) {
                const std::uint8_t entry = ring[std::size_t((index + row) % 256)];
                const QString expected = column == 4 ? LogBoilerText(entry) : LogTemperatureText(entry);
                ASSERT_EQ(Cell(column, row), expected) << what << ": column " << column << " row " << row;
            }
        }
    }

    void SelectRows(int first, int last)
    {
        QItemSelectionModel* selection = Grid()->selectionModel();
        selection->select(QItemSelection(Grid()->model()->index(first - 1, 1), Grid()->model()->index(last - 1, 4)),
                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    QString Copied()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
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
    ASSERT_EQ(index, 0x9C);
    EXPECT_EQ(Cell(1, 256), LogTemperatureText(pages.rings[0][index]));
    EXPECT_EQ(Cell(4, 256), LogBoilerText(pages.rings[3][index]));
    EXPECT_EQ(Cell(4, 1), LogBoilerText(pages.rings[3][index + 1]));
    const QStringList headings{Cell(0, 0), Cell(1, 0), Cell(2, 0), Cell(3, 0), Cell(4, 0)};
    EXPECT_EQ(headings, (QStringList{"Datum", "Venkovní", "Výst. voda", "Vnitřní", "Kotel"}));
    EXPECT_EQ(Cell(0, 256), QStringLiteral("Po 7:00"));
    EXPECT_EQ(Cell(0, 1), QStringLiteral("Čt 16:00"));

    // Scrolled to the end: the newest hour is in view.
    QScrollBar* bar = Grid()->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(LogsTabTest, AFailedPageKeepsTheColumnsBeforeItNewAndTheRestOld)
{
    // A second Controller on COM2 whose third temperature ring cannot be
    // read, with logs and logged sensors of its own.
    const QString image = files.filePath(QStringLiteral("second.bin"));
    {
        QByteArray eeprom(4096, '\0');
        eeprom[6] = char(0x10);
        eeprom[41] = 5, eeprom[42] = 6, eeprom[43] = 7;
        for (int e = 0; e < 256; ++e) {
            eeprom[12 * 256 + e] = char(e);
            eeprom[13 * 256 + e] = char(255 - e);
            eeprom[14 * 256 + e] = char(0x55);
            eeprom[15 * 256 + e] = char(0x0F);
        }
        QFile file(image);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(eeprom), 4096);
    }
    secondSim = std::make_unique<SimProcess>(
        VESK_SIM_PATH, std::vector<std::string>{"--eeprom", QFile::encodeName(image).toStdString(), "--short-reply", "2E:10"});
    StartWindow({}, "COM2=" + QByteArray::fromStdString(secondSim->LinkPath()) + "\n");

    const Pages first = ControllerPages();
    Read();
    ASSERT_TRUE(dialogs.entries.empty());
    ExpectColumns(first, 1, 4, "first Controller");

    auto* ports = Find<QComboBox>("cbComPort");
    ports->setCurrentIndex(1);
    form->cbComPortChange();
    ASSERT_TRUE(dialogs.entries.empty());
    Pages second = first;
    second.page0 = ReadPage(0).value();
    second.rings[0] = ReadPage(12).value();
    second.rings[1] = ReadPage(13).value();
    ASSERT_NE(second.page0[6], first.page0[6]);

    const std::size_t before = secondSim->Trace().size();
    Read();
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QStringLiteral("Chyba komunikace")});
    EXPECT_EQ(dialogs.entries.size(), 1u);
    // The read stops at page 14: page 15 is never asked for.
    secondSim->WaitForTraceCount(before + 4, 2000);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    auto trace = secondSim->Trace();
    trace.erase(trace.begin(), trace.begin() + std::ptrdiff_t(before));
    EXPECT_EQ(Cmds(trace), (std::vector<std::string>{"20", "2c", "2d", "2e"}));
    ExpectColumns(second, 1, 2, "columns read");
    EXPECT_EQ(Cell(1, 0), QStringLiteral("Zeď"));
    EXPECT_EQ(Cell(2, 0), QStringLiteral("Uživ. 2"));
    ExpectColumns(first, 3, 4, "columns kept");
    EXPECT_EQ(Cell(3, 0), QStringLiteral("Vnitřní"));
}

TEST_F(LogsTabTest, CopyPutsTheSelectedRowsOnTheClipboard)
{
    StartWindow();
    // Before any read a fresh grid has its first hour selected.
    EXPECT_EQ(Copied(), QStringLiteral("Čt 16:00\t\t\t\t\r\n"));
    SelectRows(255, 256);
    EXPECT_EQ(Copied(), QStringLiteral("Po 6:00\t\t\t\t\r\nPo 7:00\t\t\t\t\r\n"));

    const Pages pages = ControllerPages();
    Read();
    SelectRows(256, 256);
    const int index = pages.page0[6];
    const unsigned boiler = 16u * pages.rings[3][index];
    const QString expected = QStringLiteral("Po 7:00\t%1\t%2\t%3\t%4 min %5 \r\n")
                                 .arg(std::int8_t(pages.rings[0][index]))
                                 .arg(std::int8_t(pages.rings[1][index]))
                                 .arg(std::int8_t(pages.rings[2][index]))
                                 .arg(boiler / 60)
                                 .arg(boiler % 60);
    EXPECT_EQ(Copied(), expected);

    SelectRows(10, 19);
    const QStringList lines = Copied().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 11);  // ten lines and what follows the last CR LF
    EXPECT_TRUE(lines[0].startsWith(Cell(0, 10) + '\t'));
    EXPECT_TRUE(lines[9].startsWith(Cell(0, 19) + '\t'));
    EXPECT_EQ(lines[10], QString());
    EXPECT_TRUE(dialogs.entries.empty());
}

TEST_F(LogsTabTest, SaveWritesTheTableAsCsv)
{
    StartWindow();
    const QString path = files.filePath(QStringLiteral("never-read.csv"));
    const QByteArray empty = Save(path);
    ASSERT_EQ(dialogs.entries.size(), 1u);
    EXPECT_EQ(dialogs.entries[0].kind, Kind::SaveFile);
    EXPECT_EQ(dialogs.entries[0].settings,
              (FileDialogSettings{QStringLiteral("Soubory formátu CSV (*.csv)|*.csv|Všechny soubory (*.*)|*.*"),
                                  QStringLiteral("csv")}));
    EXPECT_TRUE(empty.startsWith("Datum;;;;Kotel\r\n\xC8t 16:00;;;;\r\n")) << empty.left(40).toStdString();
    EXPECT_TRUE(empty.endsWith("\r\nPo 7:00;;;;\r\n"));

    const Pages pages = ControllerPages();
    Read();
    const QByteArray csv = Save(files.filePath(QStringLiteral("logs.csv")));
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList());
    // As a spreadsheet reads it: 257 lines of five fields, in Windows-1250.
    QList<QByteArray> lines = csv.split('\n');
    ASSERT_EQ(lines.size(), 258);
    EXPECT_EQ(lines.takeLast(), QByteArray());
    for (int row = 0; row <= 256; ++row) {
        const QByteArray& line = lines[row];
        ASSERT_TRUE(line.endsWith('\r')) << row;
        const QList<QByteArray> fields = line.chopped(1).split(';');
        ASSERT_EQ(fields.size(), 5) << row;
        for (int column = 0; column < 5; ++column)
            EXPECT_EQ(Win1250::Decode(fields[column]), Cell(column, row)) << column << "," << row;
    }
    EXPECT_EQ(lines[0], "Datum;Venkovn\xED;V\xFDst. voda;Vnit\xF8n\xED;Kotel\r");
    const int index = pages.page0[6];
    EXPECT_EQ(lines[256], "Po 7:00;" + QByteArray::number(std::int8_t(pages.rings[0][index])) + " \xB0" "C;" +
                              QByteArray::number(std::int8_t(pages.rings[1][index])) + " \xB0" "C;" +
                              QByteArray::number(std::int8_t(pages.rings[2][index])) + " \xB0" "C;" +
                              LogBoilerText(pages.rings[3][index]).toLatin1() + "\r");
}

TEST_F(LogsTabTest, ASaveThatFailsReportsOnceAndWritesNothing)
{
    StartWindow();
    Read();
    const QString impossible = files.filePath(QStringLiteral("no-such-folder/logs.csv"));
    EXPECT_EQ(Save(impossible), "<no file>");
    QStringList errors = dialogs.Texts(Kind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith("Cannot create file \"" + impossible + "\". ")) << errors[0].toStdString();
    EXPECT_GT(errors[0].size(), QStringLiteral("Cannot create file \"%1\". ").arg(impossible).size());

    // An existing file whose replacement fails stays as it was.
    const QString path = files.filePath(QStringLiteral("old.csv"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old;log\r\n");
    }
    dialogs.Clear();
    SetReplaceFileHook([](ReplaceStep step) { return step != ReplaceStep::Commit; });
    const QByteArray after = Save(path);
    SetReplaceFileHook({});
    EXPECT_EQ(after, "old;log\r\n");
    EXPECT_EQ(dialogs.Texts(Kind::Error).size(), 1);
    EXPECT_EQ(QDir(files.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("old.csv")});
}

TEST_F(LogsTabTest, ShowingTheTabLaterMovesTheLabelsOnly)
{
    StartWindow();
    Read();
    QStringList labels, values;
    for (int row = 1; row <= 256; ++row) {
        labels << Cell(0, row);
        values << Cell(1, row) + '|' + Cell(2, row) + '|' + Cell(3, row) + '|' + Cell(4, row);
    }
    const std::size_t traced = sim->Trace().size();

    now = Now.addSecs(3600);
    ShowTab("tsConst");
    ShowTab("tsLogs");
    QStringList labelsLater, valuesLater;
    for (int row = 1; row <= 256; ++row) {
        labelsLater << Cell(0, row);
        valuesLater << Cell(1, row) + '|' + Cell(2, row) + '|' + Cell(3, row) + '|' + Cell(4, row);
    }
    EXPECT_EQ(labelsLater.mid(0, 255), labels.mid(1));
    EXPECT_EQ(labelsLater.last(), QStringLiteral("Po 8:00"));
    EXPECT_EQ(valuesLater, values);
    // Showing the tab asks the Controller nothing.
    EXPECT_EQ(SettledTrace(traced).size(), traced);
}

TEST_F(LogsTabTest, TheGridAsDesigned)
{
    StartWindow();
    form->show();
    QApplication::processEvents();
    QTableView* grid = Grid();
    EXPECT_EQ(grid->pos(), QPoint(8, 8));
    EXPECT_EQ(grid->width(), 365);
    // Stretched to the tab's bottom edge, less the designed margin.
    EXPECT_EQ(Tab()->height() - grid->geometry().bottom() - 1, 22);
    EXPECT_EQ(grid->model()->rowCount(), 256);
    EXPECT_EQ(grid->model()->columnCount(), 5);
    for (int column = 0; column < 5; ++column)
        EXPECT_EQ(grid->columnWidth(column), column == 4 ? 100 : 60) << column;
    EXPECT_EQ(grid->rowHeight(0), 16);
    EXPECT_EQ(grid->rowHeight(255), 16);
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_TRUE(grid->showGrid());
    // The time labels are never part of a selection.
    EXPECT_FALSE(grid->model()->flags(grid->model()->index(0, 0)) & Qt::ItemIsSelectable);
    EXPECT_FALSE(grid->model()->flags(grid->model()->index(0, 2)) & Qt::ItemIsEditable);
    auto* copy = Find<QPushButton>("btLogsCopy");
    EXPECT_EQ(copy->geometry(), QRect(416, 32, 75, 25));
    EXPECT_EQ(copy->text(), QStringLiteral("Kopírovat"));
    // The caption fits inside the button's frame in the font of this platform.
    QStyleOptionButton option;
    option.initFrom(copy);
    option.text = copy->text();
    const QRect inside = copy->style()->subElementRect(QStyle::SE_PushButtonContents, &option, copy);
    EXPECT_GE(inside.width(), copy->fontMetrics().horizontalAdvance(copy->text()));
}

}  // namespace
