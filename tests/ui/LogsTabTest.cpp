// The tab "Záznamy" end to end: the window's handlers against the simulated
// Controller's log rings.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHelpEvent>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTableView>
#include <QTimer>
#include <QToolTip>

#include "FormFixture.h"
#include "controller/EkvithGraph.h"
#include "controller/LogTable.h"
#include "controller/Win1250.h"
#include "tests/support/FileBytes.h"
#include "ui/EkvithGraphImage.h"
#include "ui/LogChartImage.h"
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

    LogChartImage* Chart() { return Find<LogChartImage>("imLogsChart"); }

    // A point of the temperature plot over the hour row.
    QPoint Over(int row)
    {
        const GraphRect hour = Chart()->Layout().Span(row, row);
        return {hour.x, hour.y + 5};
    }
    void Mouse(QEvent::Type type, QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QMouseEvent event(type, at, Chart()->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          Qt::LeftButton, modifiers);
        QCoreApplication::sendEvent(Chart(), &event);
    }
    // The rows the grid has selected, as first and last hour row.
    std::pair<int, int> Selected()
    {
        const QItemSelection selection = Grid()->selectionModel()->selection();
        if (selection.size() != 1)
            return {-static_cast<int>(selection.size()), 0};
        return {selection[0].top() + 1, selection[0].bottom() + 1};
    }

    // "Uložit graf jako obrázek..." answered with the path; the file's
    // bytes, or "<no file>".
    QByteArray SaveChart(const QString& path)
    {
        dialogs.fileNames.push_back(path);
        for (QAction* action : Chart()->actions())
            if (action->objectName() == QStringLiteral("acSaveChart"))
                action->trigger();
        return QFile::exists(path) ? Contents(path) : QByteArray("<no file>");
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

TEST_F(LogsTabTest, TheChartAndTheGridSelectTogether)
{
    StartWindow();
    form->show();
    Read();
    QApplication::processEvents();
    EXPECT_EQ(Chart()->Layout().bars.size(), 256u);

    // Rows selected in the grid are marked in the chart.
    Copy(10, 19);
    EXPECT_EQ(Chart()->Marks(), (LogChartImage::RowRanges{{10, 19}}));

    // A click selects its hour in the grid and brings it into view.
    Mouse(QEvent::MouseButtonPress, Over(200));
    EXPECT_EQ(Selected(), std::pair(200, 200));
    EXPECT_EQ(Chart()->Marks(), (LogChartImage::RowRanges{{200, 200}}));
    EXPECT_EQ(Grid()->currentIndex().row(), 199);
    const QRect shown = Grid()->visualRect(Grid()->model()->index(199, 1));
    EXPECT_TRUE(Grid()->viewport()->rect().contains(shown.center()));

    // A drag selects the hours from where it began; Shift reaches from
    // there too; past the plot's end the drag holds at the last hour.
    Mouse(QEvent::MouseButtonPress, Over(100));
    Mouse(QEvent::MouseMove, Over(90));
    EXPECT_EQ(Selected(), std::pair(90, 100));
    Mouse(QEvent::MouseButtonPress, Over(120), Qt::ShiftModifier);
    EXPECT_EQ(Selected(), std::pair(100, 120));
    Mouse(QEvent::MouseMove, Over(256) + QPoint(40, 0));
    EXPECT_EQ(Selected(), std::pair(100, 256));
    // Off the plots a click picks nothing.
    Mouse(QEvent::MouseButtonPress, QPoint(1, 1));
    EXPECT_EQ(Selected(), std::pair(100, 256));
    // What is marked is what the clipboard takes.
    Find<QPushButton>("btLogsCopy")->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text().count(QStringLiteral("\r\n")), 157);
}

// The chart takes the focus, so what the mouse does there the keys do:
// they pick hours (going on from the hours picked in the grid), show the
// hour's values, and Shift+F10 opens the chart's menu.
TEST_F(LogsTabTest, TheKeysPickHoursInTheChartAndOpenItsMenu)
{
    StartWindow();
    form->show();
    Read();
    QApplication::processEvents();
    Copy(10, 19);
    const auto key = [this](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Key(Chart(), key, {}, modifiers);
        return Selected();
    };
    EXPECT_EQ(key(Qt::Key_Right), std::pair(20, 20));
    EXPECT_EQ(key(Qt::Key_Right, Qt::ShiftModifier), std::pair(20, 21));
    EXPECT_EQ(key(Qt::Key_PageDown, Qt::ShiftModifier), std::pair(20, 45));
    EXPECT_EQ(key(Qt::Key_PageUp), std::pair(21, 21));
    EXPECT_EQ(key(Qt::Key_Left, Qt::ShiftModifier), std::pair(20, 21));
    EXPECT_EQ(key(Qt::Key_Home), std::pair(1, 1));
    EXPECT_EQ(key(Qt::Key_Left), std::pair(1, 1));
    EXPECT_EQ(key(Qt::Key_End), std::pair(256, 256));
    EXPECT_EQ(QToolTip::text(), Chart()->TipAt(Over(256)));

    QApplication::setActiveWindow(form.get());
    Chart()->setFocus();
    ASSERT_TRUE(Chart()->hasFocus());
    QStringList entries;
    QTimer::singleShot(0, Chart(), [&entries] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (const QAction* action : menu->actions())
                entries << action->text();
            menu->close();
        }
    });
    Key(Chart(), Qt::Key_F10, {}, Qt::ShiftModifier);
    QApplication::processEvents();  // no menu: the look comes now, and finds none
    EXPECT_EQ(entries.join(u'|').toStdString(), "Uložit graf jako obrázek...");
}

TEST_F(LogsTabTest, HoveringShowsTheHoursValues)
{
    StartWindow();
    form->show();
    QApplication::processEvents();
    EXPECT_EQ(Chart()->TipAt(Over(256)), QStringLiteral("Po 7:00"));  // nothing read yet

    const Pages pages = ControllerPages();
    Read();
    const std::size_t newest = pages.page0[6];
    const QString tip = QStringLiteral("Po 7:00\nVenkovní: %1 °C\nVýst. voda: %2 °C\nVnitřní: %3 °C\nKotel: %4")
                            .arg(std::int8_t(pages.rings[0][newest]))
                            .arg(std::int8_t(pages.rings[1][newest]))
                            .arg(std::int8_t(pages.rings[2][newest]))
                            .arg(LogBoilerText(pages.rings[3][newest]));
    QHelpEvent hover(QEvent::ToolTip, Over(256), Chart()->mapToGlobal(Over(256)));
    QCoreApplication::sendEvent(Chart(), &hover);
    EXPECT_EQ(QToolTip::text(), tip);
    EXPECT_EQ(Chart()->TipAt(QPoint(1, 1)), QString());
}

TEST_F(LogsTabTest, TheChartSavesAsPngOrSvg)
{
    StartWindow();
    form->show();
    Read();
    QApplication::processEvents();
    LogChartImage* chart = Chart();
    EXPECT_EQ(chart->contextMenuPolicy(), Qt::ActionsContextMenu);
    ASSERT_EQ(chart->actions().size(), 1);
    EXPECT_EQ(chart->actions()[0]->text(), QStringLiteral("Uložit graf jako obrázek..."));

    // The PNG holds what the screen shows, pixel for pixel.
    const QByteArray png = SaveChart(files.filePath(QStringLiteral("chart.png")));
    ASSERT_EQ(dialogs.entries.size(), 1u);
    EXPECT_EQ(dialogs.entries[0].settings,
              (FileDialogSettings{QStringLiteral("Obrázky PNG (*.png)|*.png|Obrázky SVG (*.svg)|*.svg"),
                                  QStringLiteral("png")}));
    EXPECT_EQ(QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32),
              chart->grab().toImage().convertToFormat(QImage::Format_RGB32));

    const QByteArray svg = SaveChart(files.filePath(QStringLiteral("chart.SVG")));
    EXPECT_TRUE(svg.startsWith("<?xml")) << svg.left(40).toStdString();
    EXPECT_TRUE(svg.contains("<svg") && svg.contains("Výst. voda"));

    // Cancelled, nothing; unwritable, the message and nothing.
    dialogs.Clear();
    const QString impossible = files.filePath(QStringLiteral("no-such-folder/chart.png"));
    EXPECT_EQ(SaveChart(impossible), "<no file>");
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{"Unable to write to " + impossible});
    dialogs.Clear();
    for (QAction* action : chart->actions())
        action->trigger();
    EXPECT_EQ(dialogs.entries.size(), 1u);  // the dialog only
    QStringList left = QDir(files.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    left.sort();
    EXPECT_EQ(left, (QStringList{"chart.SVG", "chart.png"}));
}

TEST_F(LogsTabTest, TheChartFitsBesideTheGrid)
{
    StartWindow();
    form->show();
    Read();
    QApplication::processEvents();
    LogChartImage* chart = Chart();
    const QRect area = chart->geometry();
    // Right of the grid, below "Kopírovat", down to the grid's bottom edge.
    EXPECT_GT(area.left(), Grid()->geometry().right());
    EXPECT_GT(area.top(), Find<QPushButton>("btLogsCopy")->geometry().bottom());
    EXPECT_EQ(area.bottom(), Grid()->geometry().bottom());
    EXPECT_LE(area.right(), Find<QWidget>("tsLogs")->width() - 1);

    // Every text inside the chart, in this platform's font, and no two
    // overlapping.
    const LogChartLayout& layout = chart->Layout();
    std::vector<GraphText> texts{layout.temperature.title, layout.boiler.title};
    for (const auto* list : {&layout.temperature.labels, &layout.boiler.labels, &layout.days})
        texts.insert(texts.end(), list->begin(), list->end());
    for (const ChartLegendItem& item : layout.legend)
        texts.push_back(item.text);
    const QFontMetrics metrics = chart->fontMetrics();
    std::vector<QRect> boxes;
    for (const GraphText& text : texts) {
        const QRect box(text.at.x, text.at.y, metrics.horizontalAdvance(text.text), metrics.height());
        EXPECT_TRUE(chart->rect().contains(box)) << text.text.toStdString();
        for (const QRect& other : boxes)
            EXPECT_FALSE(box.intersects(other)) << text.text.toStdString();
        boxes.push_back(box);
    }
    EXPECT_GE(layout.days.size(), 9u);
    EXPECT_GE(layout.temperature.plot.height, 150);
}

TEST_F(LogsTabTest, TheCurveShowsTheHoursOfTheLogsReadHere)
{
    StartWindow();
    ShowTab("tsEkvith");
    auto* box = Find<QCheckBox>("cbEkvithPoints");
    auto* graph = Find<EkvithGraphImage>("imEkvithGraph");
    EXPECT_EQ(box->text(), QStringLiteral("Zobrazit naměřené body"));
    EXPECT_FALSE(box->isEnabled());
    EXPECT_TRUE(box->toolTip().contains(QStringLiteral("„Záznamy“"))) << box->toolTip().toStdString();
    EXPECT_TRUE(graph->MeasuredPoints().empty());

    // The simulated Controller logs the outdoor sensor in log 1 and the
    // outlet water in log 2.
    Pages pages = ControllerPages();
    ASSERT_EQ(pages.page0[41], 4);
    ASSERT_EQ(pages.page0[42], 0);
    ShowTab("tsLogs");
    Read();
    ShowTab("tsEkvith");
    std::vector<MeasuredHour> hours;
    for (int row = 1; row <= 256; ++row) {
        const std::size_t entry = (pages.page0[6] + row) % 256;
        hours.push_back({std::int8_t(pages.rings[0][entry]), std::int8_t(pages.rings[1][entry])});
    }
    EXPECT_TRUE(box->isEnabled());
    EXPECT_TRUE(box->isChecked());
    const std::vector<GraphPoint> expected = EkvithMeasuredPoints(hours, graph->height());
    EXPECT_GT(expected.size(), 200u);
    EXPECT_EQ(graph->MeasuredPoints(), expected);
    EXPECT_TRUE(box->toolTip().contains(QStringLiteral("%1 z 256").arg(expected.size())));
    box->click();
    EXPECT_TRUE(graph->MeasuredPoints().empty());
    box->click();
    EXPECT_EQ(graph->MeasuredPoints(), expected);

    // Logs without the outlet water: no points, and the tip says which role
    // is missing.
    pages.page0[42] = 3;
    ASSERT_TRUE(WritePage(0, pages.page0));
    ShowTab("tsLogs");
    Read();
    ShowTab("tsEkvith");
    EXPECT_FALSE(box->isEnabled());
    EXPECT_TRUE(graph->MeasuredPoints().empty());
    EXPECT_TRUE(box->toolTip().contains(QStringLiteral("„Výst. voda“"))) << box->toolTip().toStdString();
}

}  // namespace
