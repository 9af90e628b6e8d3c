// The tab "Režim": the week grid as the user works it (right button, typing,
// F2), what it paints, and reading and writing programs A, B and C against
// the simulated Controller.
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "FormFixture.h"
#include "ui/ModeGrid.h"
#include "ui/ModeTab.h"

namespace {

using Kind = RecordingDialogs::Kind;
using S = ModeCellState;

const QColor Off(127, 255, 127), Equithermal(255, 255, 127), Thermostat(127, 255, 255);

void Settle()
{
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Mouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, QPoint at)
{
    QMouseEvent event(type, at, target->mapToGlobal(at), button, type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

void RightClick(QWidget* target, QPoint at)
{
    Mouse(target, QEvent::MouseButtonPress, Qt::RightButton, at);
    Mouse(target, QEvent::MouseButtonRelease, Qt::RightButton, at);
}

// The grid's widgets without a window or a Controller.
class ModeGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tab.resize(689, 466);
        tab.show();
        Settle();
    }

    ModeGrid* Grid() const { return tab.findChild<ModeGrid*>(QStringLiteral("dgMode")); }
    QModelIndex At(int day, int slot) const { return Grid()->model()->index(slot, day); }
    ModeCell CellAt(int day, int slot) const { return tab.Program().Cell(day, slot); }
    QString Shown(int day, int slot) const { return CellLetter(CellAt(day, slot)) + u'|' + CellDisplayText(CellAt(day, slot)); }

    void Put(int day, int slot, ModeCell cell)
    {
        ModeProgram program = tab.Program();
        program.SetCell(day, slot, cell);
        tab.ReplaceProgram(program);
    }

    QLineEdit* Editor() const { return qobject_cast<QLineEdit*>(Grid()->indexWidget(Grid()->currentIndex())); }

    // Types into the current cell as a user does: the first key opens the
    // editor, the rest go to it, Return closes it.
    void Type(const QString& text)
    {
        Key(Grid(), text.at(0).unicode(), text.left(1));
        ASSERT_NE(Editor(), nullptr) << "typing opened no editor";
        for (QChar c : text.mid(1))
            Key(Editor(), c.unicode(), QString(c));
        Key(Editor(), Qt::Key_Return);
        Settle();
    }

    // The painted grid, as the user sees it now.
    QImage Painted() const { return Grid()->viewport()->grab().toImage(); }

    // Thursday 10:00 at E +10%, in view, cycled three times the given way:
    // what it shows and its painted colour after each.
    std::vector<std::pair<std::string, QColor>> CycledThrice(const std::function<void()>& cycle)
    {
        Put(3, 40, ModeCell::Make(S::Equithermal, 5));
        Grid()->scrollTo(At(3, 40));
        const QPoint inside = Grid()->visualRect(At(3, 40)).topLeft() + QPoint(1, 1);
        std::vector<std::pair<std::string, QColor>> seen;
        for (int i = 0; i < 3; ++i) {
            cycle();
            seen.emplace_back(Shown(3, 40).toStdString(), Painted().pixelColor(inside));
        }
        return seen;
    }
    static inline const std::vector<std::pair<std::string, QColor>> ThriceCycled{
        {"T|5 °C", Thermostat}, {"V|Vypnuto", Off}, {"E|+10%", Equithermal}};

    ControllerLink link;
    RecordingDialogs dialogs;
    HourlyLogs logs;
    ModeTab tab{TabContext{link, dialogs, logs}};
};

TEST_F(ModeGridTest, TheTabAsDesigned)
{
    ModeGrid* grid = Grid();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->geometry(), QRect(8, 8, 572, 436));
    // Cells of 68 × 16 inside their grid lines, the fixed ones too.
    EXPECT_EQ(grid->visualRect(At(0, 0)).size(), QSize(68, 16));
    EXPECT_EQ(grid->visualRect(At(6, 95)).size(), QSize(68, 16));
    EXPECT_EQ(grid->verticalHeader()->width(), 69);
    EXPECT_EQ(grid->horizontalHeader()->height(), 17);
    EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(grid->verticalScrollBar()->isVisible());
    // All seven days fit beside the scroll bar.
    EXPECT_LE(grid->horizontalHeader()->length(), grid->viewport()->width());
    // The thumb at the bottom shows the whole of the last row.
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
    EXPECT_TRUE(grid->viewport()->rect().contains(grid->visualRect(At(6, 95))));
    EXPECT_EQ(grid->rowAt(grid->viewport()->height() - 1), 95);

    EXPECT_EQ(tab.SelectedProgram(), ModeProgramId::A);
}

TEST_F(ModeGridTest, CellsArePaintedInTheColourOfTheirState)
{
    // A fresh program is all off.
    EXPECT_EQ(tab.Program(), ModeProgram{});
    const std::pair<ModeCell, QColor> states[] = {
        {ModeCell::Make(S::Off, 0), Off},
        {ModeCell::Make(S::Equithermal, 5), Equithermal},
        {ModeCell::Make(S::Thermostat, 21), Thermostat},
        {ModeCell::Make(S::Unused, 21), Grid()->viewport()->palette().color(QPalette::Base)},
    };
    for (int day = 0; day < 4; ++day)
        Put(day + 1, 3, states[day].first);
    const QImage image = Painted();
    for (int day = 0; day < 4; ++day) {
        const QRect cell = Grid()->visualRect(At(day + 1, 3));
        // Before the letter and below the texts only the fill shows.
        for (QPoint p : {QPoint(1, 1), QPoint(3, 8), QPoint(cell.width() - 2, cell.height() - 1)})
            EXPECT_EQ(image.pixelColor(cell.topLeft() + p), states[day].second) << "state " << day;
        // Dark pixels where the letter and the shown text are, and nowhere
        // in an unused cell.
        auto darkIn = [&](int from, int to) {
            for (int x = cell.left() + from; x < cell.left() + to; ++x)
                for (int y = cell.top(); y <= cell.bottom(); ++y)
                    if (image.pixelColor(x, y).lightness() < 100)
                        return true;
            return false;
        };
        EXPECT_EQ(darkIn(5, 20), day != 3) << "letter of state " << day;
        EXPECT_EQ(darkIn(22, cell.width()), day != 3) << "text of state " << day;
    }
    EXPECT_EQ(image.pixelColor(Grid()->visualRect(At(0, 3)).topLeft() + QPoint(1, 1)), Off);
}

TEST_F(ModeGridTest, RightButtonCyclesTheDataCellUnderIt)
{
    const QModelIndex current = Grid()->currentIndex();
    QWidget* cells = Grid()->viewport();
    EXPECT_EQ(CycledThrice([&] { RightClick(cells, Grid()->visualRect(At(3, 40)).center()); }), ThriceCycled);
    EXPECT_EQ(Grid()->currentIndex(), current) << "the right button moved the current cell";
    const QRect rect = Grid()->visualRect(At(3, 40));

    // The fixed cells change nothing.
    const ModeProgram before = tab.Program();
    RightClick(Grid()->horizontalHeader()->viewport(), QPoint(100, 5));
    RightClick(Grid()->verticalHeader()->viewport(), QPoint(30, 40));
    EXPECT_EQ(tab.Program(), before);

    // The left button still moves the current cell.
    const QPoint at = rect.center();
    Mouse(cells, QEvent::MouseButtonPress, Qt::LeftButton, at);
    Mouse(cells, QEvent::MouseButtonRelease, Qt::LeftButton, at);
    EXPECT_EQ(Grid()->currentIndex(), At(3, 40));

    // A quick pair of right clicks cycles twice, on the current cell too.
    Mouse(cells, QEvent::MouseButtonPress, Qt::RightButton, at);
    Mouse(cells, QEvent::MouseButtonRelease, Qt::RightButton, at);
    Mouse(cells, QEvent::MouseButtonDblClick, Qt::RightButton, at);
    Mouse(cells, QEvent::MouseButtonRelease, Qt::RightButton, at);
    EXPECT_EQ(Shown(3, 40), QStringLiteral("V|Vypnuto"));
}

TEST_F(ModeGridTest, SpaceCyclesTheCurrentCellAsTheRightButtonDoes)
{
    // What a screen reader finds on the cell after each press: its day and
    // time, then what it holds now.
    Grid()->setCurrentIndex(At(3, 40));
    QStringList read;
    const auto space = [&] {
        Key(Grid(), Qt::Key_Space, QStringLiteral(" "));
        read << AccessibleCellName(Grid(), 40, 3);
    };
    EXPECT_EQ(CycledThrice(space), ThriceCycled);
    EXPECT_EQ(Editor(), nullptr) << "Space opened the editor";
    EXPECT_EQ(Grid()->currentIndex(), At(3, 40));
    EXPECT_EQ(read.join(u'|').toStdString(), "Čtvrtek 10:00 hod: T 5 °C|Čtvrtek 10:00 hod: V Vypnuto|Čtvrtek 10:00 hod: E +10%");
    EXPECT_EQ(AccessibleCellName(Grid(), 0, 6), QStringLiteral("Neděle 0:00 hod: V Vypnuto"));
}

TEST_F(ModeGridTest, TypingStoresTheValueAsTheCellsStateLimitsIt)
{
    struct Case {
        ModeCell start;
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {
        {ModeCell::Make(S::Thermostat, 21), "5", "T|5 °C"},  // the typed text replaces the value
        {ModeCell::Make(S::Thermostat, 21), "70", "T|63 °C"},
        {ModeCell::Make(S::Equithermal, 5), "-5", "E|-4%"},
        {ModeCell::Make(S::Equithermal, 5), "abc", "E|(normal)"},
        {ModeCell::Make(S::Off, 0), "70", "V|Vypnuto"},
    };
    for (const Case& c : cases) {
        Put(2, 10, c.start);
        Grid()->setCurrentIndex(At(2, 10));
        Type(QString::fromUtf8(c.typed));
        EXPECT_EQ(Shown(2, 10).toStdString(), c.shown) << c.typed;
        EXPECT_EQ(Editor(), nullptr) << "editor still open after " << c.typed;
    }
    // The 70 typed into the off cell shows once the cell is cycled.
    RightClick(Grid()->viewport(), Grid()->visualRect(At(2, 10)).center());
    EXPECT_EQ(Shown(2, 10), QStringLiteral("E|+12%"));
}

TEST_F(ModeGridTest, EditorOpensOnlyOnDemandAndStoresOnlyATypedChange)
{
    Put(4, 20, ModeCell::Make(S::Equithermal, 31));
    const QPoint at = Grid()->visualRect(At(4, 20)).center();
    Mouse(Grid()->viewport(), QEvent::MouseButtonPress, Qt::LeftButton, at);
    Mouse(Grid()->viewport(), QEvent::MouseButtonRelease, Qt::LeftButton, at);
    Mouse(Grid()->viewport(), QEvent::MouseButtonDblClick, Qt::LeftButton, at);
    Mouse(Grid()->viewport(), QEvent::MouseButtonRelease, Qt::LeftButton, at);
    Settle();
    ASSERT_EQ(Grid()->currentIndex(), At(4, 20));
    EXPECT_EQ(Editor(), nullptr) << "a double click opened the editor";

    Key(Grid(), Qt::Key_F2);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->text(), QStringLiteral("62"));
    Key(Editor(), Qt::Key_Escape);
    Settle();
    EXPECT_EQ(Editor(), nullptr);

    // Off and unused cells start their editor empty; closing it untouched
    // must not wipe the value they keep unseen.
    for (ModeCell cell : {ModeCell::Make(S::Off, 6), ModeCell::Make(S::Unused, 45), ModeCell::Make(S::Thermostat, 9)}) {
        Put(4, 20, cell);
        Key(Grid(), Qt::Key_F2);
        ASSERT_NE(Editor(), nullptr);
        Key(Editor(), Qt::Key_Return);
        Settle();
        EXPECT_EQ(Editor(), nullptr);
        EXPECT_EQ(CellAt(4, 20), cell) << int(cell.bits);
    }
}

// Against the simulated Controller: which pages cross the line, and what
// the Controller holds afterwards.
class ModeTabTest : public FormTest {
protected:
    void StartWindow(std::vector<std::string> simArgs = {})
    {
        FormTest::StartWindow(std::move(simArgs));
        ShowTab("tsMode");
    }

    ModeTab* Tab() { return Find<ModeTab>("tsMode"); }
    void Choose(const char* radio) { Find<QRadioButton>(radio)->click(); }
    void Read() { Find<QPushButton>("btRead")->click(); }
    void Write()
    {
        dialogs.answers.push_back(true);
        Find<QPushButton>("btWrite")->click();
    }

    // The three pages of a program as the Controller holds them now.
    std::vector<std::uint8_t> Pages(int first)
    {
        std::vector<std::uint8_t> bytes;
        for (int page = first; page < first + 3; ++page) {
            const auto data = ReadPage(page);
            EXPECT_TRUE(data.has_value()) << page;
            const PageBuffer p = data.value_or(PageBuffer{});
            bytes.insert(bytes.end(), p.begin(), p.end());
        }
        return bytes;
    }

    static ModeProgram ProgramOf(const std::vector<std::uint8_t>& pages)
    {
        ModeProgram program;
        EXPECT_TRUE(program.ReplaceRaw(std::span(pages).first(ModeProgram::Size)));
        return program;
    }

    // Every cell different from its neighbours, all four states.
    static ModeProgram Distinct()
    {
        std::vector<std::uint8_t> bytes(ModeProgram::Size);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = std::uint8_t(i * 7 + 3);
        return ProgramOf(bytes);
    }
};

TEST_F(ModeTabTest, CaptionsFitInTheWindowsFont)
{
    WriteSettings();
    CreateForm();
    ShowTab("tsMode");
    for (const char* name : {"rbModeA", "rbModeB", "rbModeC"}) {
        auto* radio = Find<QRadioButton>(name);
        EXPECT_GE(radio->width(), radio->sizeHint().width()) << name;
        EXPECT_LE(radio->geometry().right(), radio->parentWidget()->contentsRect().right()) << name;
    }
    auto* box = Find<QGroupBox>("gbModeEdit");
    EXPECT_LE(box->fontMetrics().horizontalAdvance(box->title()) + 16, box->width());
    // The longest slot label and day name inside their fixed cells.
    auto* grid = Find<ModeGrid>("dgMode");
    const QFontMetrics metrics = grid->fontMetrics();
    EXPECT_LE(8 + metrics.horizontalAdvance(QStringLiteral("23:45 hod")), ModeGrid::ColumnWidth);
    for (int day = 0; day < 7; ++day)
        EXPECT_LE(16 + metrics.horizontalAdvance(ModeDayName(day)), ModeGrid::ColumnWidth) << day;
    EXPECT_LE(2 + metrics.height(), ModeGrid::RowHeight);
}

TEST_F(ModeTabTest, ReadingBFillsTheGridFromPages6To8)
{
    StartWindow();
    const auto pages = Pages(6);
    Choose("rbModeB");
    const std::size_t before = sim->Trace().size();
    Read();
    EXPECT_TRUE(dialogs.entries.empty());
    const auto trace = SettledTraceFrom(before, 3);
    EXPECT_EQ(Cmds(trace), (std::vector<std::string>{"26", "27", "28"}));
    EXPECT_EQ(trace.size(), 3u);
    EXPECT_EQ(Tab()->Program(), ProgramOf(pages));
    // The simulator's program B: a thermostat night, working days lowered.
    auto* grid = Find<ModeGrid>("dgMode");
    EXPECT_EQ(grid->model()->index(0, 0).data().toString(), QStringLiteral("16 °C"));
    EXPECT_EQ(grid->model()->index(40, 2).data().toString(), QStringLiteral("-20%"));
    EXPECT_EQ(grid->model()->index(40, 6).data().toString(), QStringLiteral("-4%"));
}

TEST_F(ModeTabTest, AFailedPageStopsTheTransferAndAReadChangesNothing)
{
    StartWindow({"--short-reply", "0x27:10", "--short-reply", "0x3a:0"});
    Tab()->ReplaceProgram(Distinct());
    Choose("rbModeB");
    std::size_t before = sim->Trace().size();
    Read();
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QStringLiteral("Chyba komunikace")});
    auto trace = SettledTraceFrom(before, 2);
    EXPECT_EQ(Cmds(trace), (std::vector<std::string>{"26", "27"}));
    EXPECT_EQ(Tab()->Program(), Distinct());

    // A write stops at the page whose command goes unanswered: page 9 keeps
    // the new bytes, pages 10 and 11 keep the old.
    dialogs.Clear();
    const auto old = Pages(9);
    Choose("rbModeC");
    before = sim->Trace().size();
    Write();
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QStringLiteral("Chyba komunikace")});
    trace = SettledTraceFrom(before, 257 + 1);
    EXPECT_EQ(Cmds(trace), (std::vector<std::string>{"39", "3a"}));
    EXPECT_EQ(trace.size(), 257u + 1u);
    const auto now = Pages(9);
    EXPECT_TRUE(std::equal(now.begin(), now.begin() + 256, Distinct().Raw().begin()));
    EXPECT_TRUE(std::equal(now.begin() + 256, now.end(), old.begin() + 256));
}

TEST_F(ModeTabTest, WritingCFillsPages9To11WithAZeroTail)
{
    StartWindow();
    PageBuffer full;
    full.fill(0xAB);
    ASSERT_TRUE(WritePage(11, full));  // a tail that is not zero
    const auto others = Pages(3), othersB = Pages(6);

    Tab()->ReplaceProgram(Distinct());
    Choose("rbModeC");
    const std::size_t before = sim->Trace().size();
    Write();
    EXPECT_EQ(dialogs.Texts(Kind::Question), QStringList{QStringLiteral("Opravdu zapsat?")});
    EXPECT_EQ(dialogs.entries.size(), 1u);
    const auto trace = SettledTraceFrom(before, 3 * 257);
    EXPECT_EQ(Cmds(trace), (std::vector<std::string>{"39", "3a", "3b"}));
    EXPECT_EQ(trace.size(), 3u * 257u);

    const auto pages = Pages(9);
    EXPECT_EQ(ProgramOf(pages), Distinct());
    EXPECT_EQ(std::vector<std::uint8_t>(pages.begin() + 672, pages.end()), std::vector<std::uint8_t>(96, 0));
    EXPECT_EQ(Pages(3), others);
    EXPECT_EQ(Pages(6), othersB);
}

TEST_F(ModeTabTest, AProgramReadAsAIsWrittenAsB)
{
    StartWindow();
    const auto a = Pages(3);
    ASSERT_NE(ProgramOf(a), ProgramOf(Pages(6)));
    Read();
    ASSERT_EQ(Tab()->Program(), ProgramOf(a));
    Choose("rbModeB");
    EXPECT_EQ(Tab()->Program(), ProgramOf(a)) << "choosing B changed the grid";
    EXPECT_EQ(Tab()->SelectedProgram(), ModeProgramId::B);

    Write();
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{});
    const auto b = Pages(6);
    EXPECT_EQ(ProgramOf(b), ProgramOf(a));
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 672, b.end()), std::vector<std::uint8_t>(96, 0));
    EXPECT_EQ(Pages(3), a);
}

}  // namespace
