// The tabs "Ekviterma" and "Zeď" end to end: the window's handlers against
// the simulated Controller's pages 1 and 2.
#include <QApplication>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

#include "FormFixture.h"
#include "controller/OutdoorTable.h"
#include "ui/EkvithGraphImage.h"
#include "ui/EkvithTab.h"
#include "ui/OutdoorList.h"
#include "ui/SpinEdit.h"
#include "ui/WallTab.h"

namespace {

using Kind = RecordingDialogs::Kind;
constexpr int GraphHeight = 321;

class OutdoorTabsTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        // Decimal texts are shown in the user's locale; these tests are the
        // Czech user's.
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    }
    void TearDown() override
    {
        FormTest::TearDown();
        QLocale::setDefault(QLocale::c());
    }

    void Click(const char* button) { Find<QPushButton>(button)->click(); }
    void Write()
    {
        dialogs.answers.push_back(true);
        Click("btWrite");
    }

    OutdoorList* Curve() { return Find<OutdoorList>("vlEkvith"); }
    OutdoorList* Wall() { return Find<OutdoorList>("vlWall"); }
    EkvithGraphImage* Graph() { return Find<EkvithGraphImage>("imEkvithGraph"); }
    int GraphY(int row) { return Graph()->Points()[std::size_t(row)].y; }

    static QLineEdit* OpenEditor(OutdoorList* list)
    {
        // A closed editor lingers until deleted; the open one is the one shown.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QLineEdit* editor = nullptr;
        for (auto* e : list->viewport()->findChildren<QLineEdit*>())
            if (e->isVisibleTo(list->viewport()))
                editor = e;
        return editor;
    }

    // Types into a value cell through its editor, character by character.
    // The list must be on the current tab: editors open only where seen.
    void TypeInto(OutdoorList* list, int row, const QString& text, int cursor = -1)
    {
        form->show();
        list->setCurrentIndex(list->model()->index(row, 0));  // a click on the key
        QLineEdit* editor = OpenEditor(list);
        ASSERT_NE(editor, nullptr);
        if (cursor >= 0)
            editor->setCursorPosition(cursor);
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(editor, &press);
        }
    }

    void SetText(const char* edit, const QString& text) { Find<QLineEdit>(edit)->setText(text); }
    void SetSpin(const char* name, const QString& text)
    {
        Find<SpinEdit>(name)->findChild<QLineEdit*>()->setText(text);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(Find<SpinEdit>(name), &out);
    }

    PageBuffer Page(int page)
    {
        const auto bytes = ReadPage(page);
        EXPECT_TRUE(bytes.has_value());
        return bytes.value_or(PageBuffer{});
    }

    // The bytes the Controller received from `from` on: the write command
    // and its 256 data bytes.
    std::vector<std::uint8_t> WrittenBytes(std::size_t from)
    {
        std::vector<std::uint8_t> bytes;
        for (const TraceEntry& e : SettledTraceFrom(from, 257))
            bytes.push_back(e.byte);
        return bytes;
    }
};

// Counts the changes a list reports, while it lives.
struct ChangeCount {
    explicit ChangeCount(OutdoorList* list)
    {
        QObject::connect(list, &OutdoorList::Changed, &guard, [this] { ++count; });
    }
    QObject guard;
    int count = 0;
};

std::vector<std::uint8_t> CommandAndPage(std::uint8_t command, const PageBuffer& page)
{
    std::vector<std::uint8_t> bytes(1 + page.size(), command);
    std::copy(page.begin(), page.end(), bytes.begin() + 1);
    return bytes;
}

TEST_F(OutdoorTabsTest, NewListsHaveFixedKeysAndEmptyValues)
{
    StartWindow();
    const struct {
        OutdoorList* list;
        const char* valueTitle;
    } lists[] = {{Curve(), "Topná voda"}, {Wall(), "Teplota zdi"}};
    for (const auto& l : lists) {
        QAbstractItemModel* model = l.list->model();
        ASSERT_EQ(model->rowCount(), 66);
        ASSERT_EQ(model->columnCount(), 2);
        EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Teplota"));
        EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QString::fromUtf8(l.valueTitle));
        EXPECT_EQ(l.list->rowHeight(0), 16);  // however tall the style would make it
        for (int row : {0, 40, 65}) {
            const int t = row - 40;
            EXPECT_EQ(model->index(row, 0).data().toString(), QStringLiteral("%1 °C").arg(t));
            EXPECT_EQ(model->index(row, 1).data().toString(), QString());
            EXPECT_FALSE(model->flags(model->index(row, 0)) & Qt::ItemIsEditable);
            EXPECT_TRUE(model->flags(model->index(row, 1)) & Qt::ItemIsEditable);
            // Keys stay as they are, whatever is tried.
            EXPECT_FALSE(model->setData(model->index(row, 0), QStringLiteral("x")));
            EXPECT_EQ(model->index(row, 0).data().toString(), QStringLiteral("%1 °C").arg(t));
        }
        EXPECT_FALSE(model->insertRows(0, 1));
        EXPECT_FALSE(model->removeRows(0, 1));
        EXPECT_EQ(model->rowCount(), 66);
    }
    // The empty curve is drawn on the 20 °C line.
    for (int row = 0; row < 66; ++row)
        ASSERT_EQ(GraphY(row), GraphHeight - 40) << row;
    EXPECT_EQ(Find<QLabel>("lbWallMul")->text(), QStringLiteral("(nic)"));
}

// The list's editor opens on every move, so a reader meets it rather than
// the cell: both are named by the value's row.  And were Tab to go on to
// the next row, as in Qt's tables, the keyboard would never get out.
TEST_F(OutdoorTabsTest, EachValueIsNamedByItsRowAndTabLeavesTheList)
{
    StartWindow();
    ShowTab("tsEkvith");
    QApplication::setActiveWindow(form.get());
    for (const char* typed : {"3", "35"}) {
        TypeInto(Curve(), 5, QString::fromLatin1(typed));
        QLineEdit* editor = OpenEditor(Curve());
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->accessibleName(), QStringLiteral("Topná voda -35 °C"));
        editor->setFocus();
        const bool back = typed[1];
        Key(editor, back ? Qt::Key_Backtab : Qt::Key_Tab, {}, back ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_EQ(Curve()->Table().Value(5), QString::fromLatin1(typed));
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(focus && focus != Curve() && !Curve()->isAncestorOf(focus)) << typed;
    }
    EXPECT_EQ(AccessibleCellName(Curve(), 5, 1), QStringLiteral("Topná voda -35 °C: 35"));
    EXPECT_EQ(AccessibleCellName(Wall(), 65, 1), QStringLiteral("Teplota zdi 25 °C"));
    EXPECT_EQ(AccessibleCellName(Wall(), 65, 0), QStringLiteral("25 °C"));
}

TEST_F(OutdoorTabsTest, StoredSettingsShownAtStartAndCollectedAtClose)
{
    StartWindow({}, "EkvithFillA=0,25\nEkvithFillB=-1,5\nWallDepth=30\nWallSensDepth=abc\n");
    EXPECT_EQ(Find<QLineEdit>("leEkvithFillA")->text(), QStringLiteral("0,25"));
    EXPECT_EQ(Find<QLineEdit>("leEkvithFillB")->text(), QStringLiteral("-1,5"));
    EXPECT_EQ(Find<QLineEdit>("leEkvithFillC")->text(), QStringLiteral("51"));
    EXPECT_EQ(Find<QLineEdit>("edEkvithFillB")->text(), QStringLiteral("-1,5"));
    EXPECT_EQ(Find<SpinEdit>("seWallDepth")->text(), QStringLiteral("30"));
    EXPECT_EQ(Find<SpinEdit>("seWallSensDepth")->text(), QStringLiteral("17"));
    EXPECT_EQ(Find<SpinEdit>("seWallTemp")->text(), QStringLiteral("21"));

    SetText("leEkvithFillC", QStringLiteral("60,5"));
    SetText("leEkvithFillB", QStringLiteral("abc"));
    SetText("edEkvithFillB", QStringLiteral("-9"));
    SetSpin("seWallDepth", QStringLiteral("x4o"));  // not a number: kept as typed
    SetSpin("seWallTemp", QStringLiteral("$14"));
    form->close();

    // The texts as they stand; the A left as it was is not rewritten, the
    // wall's own B is never stored, and a sensor depth the file could not
    // read is stored as shown.
    EXPECT_EQ(SettingsBytes(), "[Ports]\nCOM1=" + QByteArray::fromStdString(sim->LinkPath()) +
                                   "\n[VESK]\nEkvithFillA=0,25\nEkvithFillB=abc\nWallDepth=x4o\nWallSensDepth=17\n"
                                   "EkvithFillC=60,5\nWallTemp=20\nComPort=0\n");
}

TEST_F(OutdoorTabsTest, CurveReadFilledWrittenAndReadBack)
{
    StartWindow();
    ShowTab("tsEkvith");
    ChangeCount changes(Curve());
    Click("btRead");
    EXPECT_TRUE(dialogs.entries.empty());
    EXPECT_EQ(changes.count, 1);  // the whole list in one step
    // The simulator holds the start values' curve.
    const int expected[] = {79, 78, 78, 77, 76, 76, 75};
    for (int row = 0; row < 7; ++row)
        EXPECT_EQ(Curve()->Table().Value(row), QString::number(expected[row])) << row;
    EXPECT_EQ(Curve()->Table().Value(15), QStringLiteral("68"));
    EXPECT_EQ(Curve()->Table().Value(65), QStringLiteral("34"));
    EXPECT_EQ(GraphY(0), GraphHeight - (3 * 59 + 40));
    EXPECT_EQ(GraphY(65), GraphHeight - (3 * 14 + 40));

    SetText("leEkvithFillA", QStringLiteral("0,1"));
    SetText("leEkvithFillB", QStringLiteral("0.05"));
    SetText("leEkvithFillC", QStringLiteral("20"));
    Click("btFillEkvith");
    EXPECT_EQ(changes.count, 2);
    const OutdoorTable filled = Curve()->Table();
    EXPECT_EQ(filled.Value(0), QStringLiteral("178"));
    EXPECT_EQ(filled.Value(2), QStringLiteral("163"));
    EXPECT_EQ(filled.Value(40), QStringLiteral("20"));
    EXPECT_EQ(GraphY(0), GraphHeight - 280);  // above 100 °C: on the top line
    EXPECT_EQ(GraphY(40), GraphHeight - 40);

    const std::size_t before = sim->Trace().size();
    Write();
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList());
    const auto page = EncodeOutdoorPage(EkvithPage, filled);
    ASSERT_TRUE(page);
    EXPECT_EQ(WrittenBytes(before), CommandAndPage(0x31, *page));
    EXPECT_EQ((*page)[0], 178);
    EXPECT_EQ((*page)[255], 84);
    EXPECT_EQ(Page(1), *page);

    Curve()->SetTable(OutdoorTable{});
    Click("btRead");
    EXPECT_EQ(Curve()->Table(), filled);
}

TEST_F(OutdoorTabsTest, CurveWriteOutsideAByteSendsNothing)
{
    StartWindow();
    ShowTab("tsEkvith");
    const PageBuffer original = Page(1);

    SetText("leEkvithFillA", QStringLiteral("0"));
    SetText("leEkvithFillB", QStringLiteral("0"));
    SetText("leEkvithFillC", QStringLiteral("300"));
    Click("btFillEkvith");
    // The list and the graph take it ...
    for (int row = 0; row < 66; ++row) {
        ASSERT_EQ(Curve()->Table().Value(row), QStringLiteral("300")) << row;
        ASSERT_EQ(GraphY(row), GraphHeight - 280) << row;
    }
    // ... writing does not, and neither a 256 or a −1 in a single row.
    for (const auto& [row, value] : {std::pair{-1, "300"}, std::pair{65, "256"}, std::pair{10, "-1"}}) {
        if (row >= 0) {
            OutdoorTable table = DecodeOutdoorPage(EkvithPage, original);
            table.SetValue(row, QString::fromUtf8(value));
            Curve()->SetTable(table);
        }
        dialogs.Clear();
        const std::size_t before = sim->Trace().size();
        Write();
        EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QStringLiteral("Range check error")}) << value;
        EXPECT_EQ(SettledTrace(before).size(), before) << value;
    }
    EXPECT_EQ(Page(1), original);
}

TEST_F(OutdoorTabsTest, TypedValuesRedrawTheGraphAtOnce)
{
    StartWindow();
    ShowTab("tsEkvith");
    ChangeCount changes(Curve());
    TypeInto(Curve(), 10, QStringLiteral("95"));
    EXPECT_EQ(changes.count, 2);  // one per character
    EXPECT_EQ(Curve()->Table().Value(10), QStringLiteral("95"));
    EXPECT_EQ(GraphY(10), GraphHeight - (3 * 75 + 40));
    // Each character goes where the cursor stands, not to the end.
    TypeInto(Curve(), 10, QStringLiteral("-1"), 0);
    EXPECT_EQ(Curve()->Table().Value(10), QStringLiteral("-195"));
    EXPECT_EQ(GraphY(10), GraphHeight - 40);

    // A value that is not an integer is drawn, and written, as 20.
    TypeInto(Curve(), 11, QStringLiteral("5x"));
    EXPECT_EQ(GraphY(11), GraphHeight - 40);
}

TEST_F(OutdoorTabsTest, WallReadFilledWrittenAndReadBack)
{
    StartWindow();
    ShowTab("tsWall");
    Click("btRead");
    EXPECT_TRUE(dialogs.entries.empty());
    EXPECT_EQ(Wall()->Table().Value(0), QStringLiteral("-2"));
    EXPECT_EQ(Wall()->Table().Value(40), QStringLiteral("13"));
    EXPECT_EQ(Wall()->Table().Value(65), QStringLiteral("23"));

    Click("btFillWall");  // the start values give the same table
    EXPECT_EQ(Wall()->Table(), DecodeOutdoorPage(WallPage, Page(2)));
    EXPECT_EQ(Find<QLabel>("lbWallMul")->text(), QStringLiteral("7,40 krát / 4"));
    SetText("edEkvithFillB", QStringLiteral("0.7"));
    SetSpin("seWallSensDepth", QStringLiteral("45"));
    Click("btFillWall");
    EXPECT_TRUE(dialogs.entries.empty());
    EXPECT_EQ(Find<QLabel>("lbWallMul")->text(), QStringLiteral("-2,80 krát / 4"));
    for (int row = 0; row < 66; ++row)
        ASSERT_EQ(Wall()->Table().Value(row), QString::number(row - 40)) << row;
    OutdoorTable typed = Wall()->Table();
    typed.SetValue(0, QStringLiteral("-2"));
    typed.SetValue(64, QStringLiteral("300"));
    Wall()->SetTable(typed);

    const std::size_t before = sim->Trace().size();
    Write();
    EXPECT_TRUE(dialogs.Texts(Kind::Error).isEmpty());
    PageBuffer expected;
    for (int i = 0; i < 256; ++i)
        expected[std::size_t(i)] = std::uint8_t(std::clamp(i - 128, -40, 25));
    for (int i = 0; i <= 88; ++i)
        expected[std::size_t(i)] = 0xFE;
    expected[152] = 0x2C;
    EXPECT_EQ(WrittenBytes(before), CommandAndPage(0x32, expected));
    EXPECT_EQ(Page(2), expected);

    Wall()->SetTable(OutdoorTable{});
    Click("btRead");
    typed.SetValue(64, QStringLiteral("44"));
    EXPECT_EQ(Wall()->Table(), typed);
}

TEST_F(OutdoorTabsTest, ImpossibleWallFillsAreReportedAndChangeNothingTheyShouldNot)
{
    StartWindow();
    ShowTab("tsWall");
    Click("btRead");
    Click("btFillWall");
    const OutdoorTable read = Wall()->Table();
    ASSERT_EQ(Find<QLabel>("lbWallMul")->text(), QStringLiteral("7,40 krát / 4"));

    const struct {
        const char *w, *s;
        const char* message;
    } stopped[] = {
        {"0", "17", "Floating point division by zero"},
        {"0", "0", "Invalid floating point operation"},
    };
    for (const auto& c : stopped) {
        SetSpin("seWallDepth", QString::fromUtf8(c.w));
        SetSpin("seWallSensDepth", QString::fromUtf8(c.s));
        dialogs.Clear();
        ChangeCount changes(Wall());
        Click("btFillWall");
        EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(changes.count, 0);
        EXPECT_EQ(Wall()->Table(), read);
        EXPECT_EQ(Find<QLabel>("lbWallMul")->text(), QStringLiteral("7,40 krát / 4"));
    }

    // A sensor at the inner face: the rows are filled, then the multiplier
    // fails and its label keeps its text.
    SetSpin("seWallDepth", QStringLiteral("45"));
    SetSpin("seWallSensDepth", QStringLiteral("0"));
    dialogs.Clear();
    Click("btFillWall");
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QStringLiteral("Floating point division by zero")});
    for (int row = 0; row < 66; ++row)
        ASSERT_EQ(Wall()->Table().Value(row), QStringLiteral("21")) << row;
    EXPECT_EQ(Find<QLabel>("lbWallMul")->text(), QStringLiteral("7,40 krát / 4"));
}

TEST_F(OutdoorTabsTest, FailedReadLeavesTheListAsItWas)
{
    StartWindow({"--short-reply", "0x21:10", "--short-reply", "0x22:0"});
    for (const auto& [tab, list] : {std::pair{"tsEkvith", Curve()}, std::pair{"tsWall", Wall()}}) {
        ShowTab(tab);
        OutdoorTable typed;
        typed.SetValue(3, QStringLiteral("42"));
        list->SetTable(typed);
        dialogs.Clear();
        Click("btRead");
        EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QStringLiteral("Chyba komunikace")}) << tab;
        EXPECT_EQ(list->Table(), typed) << tab;
    }
    EXPECT_EQ(GraphY(3), GraphHeight - (3 * 22 + 40));
}

// What a parameter file moves: all rows in one step, and the wall's inputs
// without any limit.
TEST_F(OutdoorTabsTest, TheParameterFileReachesRowsAndInputs)
{
    StartWindow();
    ChangeCount changes(Curve());
    Find<EkvithTab>("tsEkvith")->SetTable(DecodeOutdoorPage(EkvithPage, Page(1)));
    EXPECT_EQ(changes.count, 1);
    EXPECT_EQ(GraphY(0), GraphHeight - (3 * 59 + 40));

    auto* wall = Find<WallTab>("tsWall");
    const InputValues inputs{{"WallDepth", -5000LL}, {"WallTemp", 2000000000LL}, {"WallSensDepth", 7LL},
                             {"EkvithFillB", QStringLiteral("0,3")}};
    wall->SetInputs(inputs);
    EXPECT_EQ(wall->Inputs(), inputs);
    SetSpin("seWallDepth", QStringLiteral("abc"));
    EXPECT_EQ(wall->Inputs().at("WallDepth"), FieldValue(0LL));  // a text that is not a number is worth 0
}

// A row the user typed or filled is a change since the read; what a read
// or a load shows is none.
TEST_F(OutdoorTabsTest, TheTabKnowsWhetherTheUserChangedARowSinceTheRead)
{
    StartWindow();
    auto* wall = Find<WallTab>("tsWall");
    ShowTab("tsWall");
    EXPECT_FALSE(wall->Changed());
    Click("btRead");
    EXPECT_FALSE(wall->Changed());
    TypeInto(Wall(), 3, QStringLiteral("7"));
    EXPECT_TRUE(wall->Changed());
    Click("btRead");
    EXPECT_FALSE(wall->Changed());
    // The Controller's table is the fill of the start values: filled with
    // them again, nothing changes.
    Click("btFillWall");
    EXPECT_FALSE(wall->Changed());
    SetSpin("seWallTemp", QStringLiteral("19"));
    Click("btFillWall");
    EXPECT_TRUE(wall->Changed());

    const QString file = QDir(settingsDir.path()).filePath(QStringLiteral("zed.vsk"));
    dialogs.fileNames.push_back(file);
    Click("btSave");
    dialogs.fileNames.push_back(file);
    Click("btLoad");
    EXPECT_FALSE(wall->Changed());
    EXPECT_TRUE(dialogs.Texts(Kind::Error).isEmpty());
}

}  // namespace
