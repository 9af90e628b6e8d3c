// The tab "Přímý přístup" end to end against the simulated Controller:
// pages read, edited, written and kept in image files, and the debug
// snapshot in both views.
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <sys/stat.h>

#include "FormFixture.h"
#include "controller/HexPage.h"
#include "controller/Win1250.h"
#include "shell/Texts.h"
#include "ui/DirectTab.h"
#include "ui/DrawGrid.h"

namespace {

using Kind = RecordingDialogs::Kind;

const QString ImageFilter = Text::Filter::Image();
const QString TextFilter = Text::Filter::Text();

PageBuffer Pattern(int seed)
{
    PageBuffer page;
    for (int i = 0; i < 256; ++i)
        page[std::size_t(i)] = std::uint8_t(i * 13 + seed * 29 + 7);
    return page;
}

QByteArray Bytes(const PageBuffer& page)
{
    return QByteArray(reinterpret_cast<const char*>(page.data()), 256);
}

class DirectTabTest : public FormTest {
protected:
    void StartWindow(std::vector<std::string> simArgs = {})
    {
        FormTest::StartWindow(std::move(simArgs));
        ShowTab("tsDirect");
    }

    const PageBuffer& Buffer() { return Find<DirectTab>("tsDirect")->Buffer(); }
    DrawGrid* Grid() { return Find<DrawGrid>("dgHexEditor"); }
    QPlainTextEdit* Info() { return Find<QPlainTextEdit>("meDebugInfo"); }
    QPlainTextEdit* InfoExt() { return Find<QPlainTextEdit>("meDebugInfoExt"); }

    // As the user picks them.
    void PickPage(int page)
    {
        auto* pages = Find<QComboBox>("cbDirectEEPROMPage");
        pages->setCurrentIndex(page);
        emit pages->activated(page);
    }
    void PickDebug(int type)
    {
        Find<QRadioButton>("rbDirectDebug")->click();
        auto* types = Find<QComboBox>("cbDirectDebugType");
        types->setCurrentIndex(type);
        emit types->activated(type);
    }

    void Click(const char* button) { Find<QPushButton>(button)->click(); }
    void Read() { Click("btRead"); }
    void Write()
    {
        dialogs.answers.push_back(true);
        Click("btWrite");
    }
    void Load(const QString& path)
    {
        dialogs.fileNames.push_back(path);
        Click("btLoad");
    }
    void Save(const QString& path)
    {
        dialogs.fileNames.push_back(path);
        Click("btSave");
    }
    std::vector<bool> Enabled()
    {
        std::vector<bool> on;
        for (const char* b : {"btRead", "btWrite", "btLoad", "btSave"})
            on.push_back(Find<QPushButton>(b)->isEnabled());
        return on;
    }

    QString PutFile(const QByteArray& bytes)
    {
        const QString path = files.filePath(QStringLiteral("in%1.bin").arg(++fileCount));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return path;
    }
    QByteArray FileBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

    // Types into a byte cell's editor and presses Enter.
    void TypeIntoCell(int column, int row, const QString& text)
    {
        const QModelIndex index = Grid()->model()->index(row, column);
        Grid()->edit(index);
        auto* editor = qobject_cast<QLineEdit*>(Grid()->indexWidget(index));
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->text(), HexGrid::CellText(Buffer(), column, row));
        editor->setText(text);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(editor, &enter);
        QCoreApplication::processEvents();  // the view commits and closes the editor queued
        ASSERT_EQ(Grid()->indexWidget(index), nullptr);
    }

    QTemporaryDir files;
    int fileCount = 0;
};

TEST_F(DirectTabTest, ReadsAndWritesEveryPage)
{
    StartWindow();
    for (int page = 0; page < Page::Count; ++page) {
        SCOPED_TRACE(page);
        PickPage(page);
        std::size_t before = sim->Trace().size();
        Read();
        auto trace = SettledTraceFrom(before, 1);
        ASSERT_EQ(trace.size(), 1u);
        EXPECT_EQ(trace[0].byte, 0x20 + page);
        EXPECT_EQ(Buffer(), ReadPage(page));

        Load(PutFile(Bytes(Pattern(page))));
        before = sim->Trace().size();
        Write();
        trace = SettledTraceFrom(before, 257);
        ASSERT_EQ(trace.size(), 257u);
        EXPECT_EQ(trace[0].byte, 0x30 + page);
        EXPECT_EQ(trace[0].role, "cmd");
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(trace[std::size_t(i) + 1].byte, Pattern(page)[std::size_t(i)]) << i;
    }
    for (int page = 0; page < Page::Count; ++page)
        EXPECT_EQ(ReadPage(page), Pattern(page)) << page;
    EXPECT_EQ(dialogs.entries.size(), 2u * Page::Count);  // open dialog and question, nothing else
}

TEST_F(DirectTabTest, APageReadFromOnePageIsWrittenToTheOnePickedNow)
{
    StartWindow();
    const PageBuffer page3 = ReadPage(3).value();
    ASSERT_NE(ReadPage(6), page3);
    PickPage(3);
    Read();
    std::size_t before = SettledTrace(sim->Trace().size()).size();
    PickPage(6);
    EXPECT_EQ(SettledTrace(before).size(), before);  // picking asks nothing
    EXPECT_EQ(Buffer(), page3);
    Write();
    EXPECT_EQ(Cmds(SettledTraceFrom(before, 257)), std::vector<std::string>{"36"});
    EXPECT_EQ(ReadPage(6), page3);
}

TEST_F(DirectTabTest, CellEditsThroughTheGridReachTheController)
{
    StartWindow();
    PickPage(1);
    Read();
    PageBuffer expected = Buffer();
    ASSERT_NE(expected[0x20], 0x7F);
    TypeIntoCell(1, 2, QStringLiteral("7f"));
    expected[0x20] = 0x7F;
    EXPECT_EQ(Buffer(), expected);
    for (const char* rejected : {"7", "7G", "7FF", ""}) {
        TypeIntoCell(1, 2, QString::fromLatin1(rejected));
        EXPECT_EQ(Buffer(), expected) << rejected;
    }
    TypeIntoCell(16, 15, QStringLiteral("a0"));
    expected[0xFF] = 0xA0;
    Write();
    EXPECT_EQ(ReadPage(1), expected);
}

// Everything the mouse does to the grid, the keyboard does: the arrows
// move over the bytes (never onto the labels), typing a digit, F2 or Enter
// opens the editor, Enter stores, Esc leaves the byte; a reader names each
// byte by its address.
TEST_F(DirectTabTest, TheGridIsEditedFromTheKeyboard)
{
    StartWindow();
    DrawGrid* grid = Grid();
    const auto editor = [grid] { return qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex())); };
    // To the editor once one is open; a letter's key is its capital.
    const auto type = [&](QStringView keys) {
        for (QChar c : keys)
            Key(editor() ? static_cast<QWidget*>(editor()) : grid, c.toUpper().unicode(), QString(c));
    };
    grid->setCurrentIndex(grid->model()->index(2, 1));
    for (int key : {Qt::Key_Left, Qt::Key_Home, Qt::Key_Right, Qt::Key_Down})
        Key(grid, key);
    ASSERT_EQ(grid->currentIndex(), grid->model()->index(3, 2)) << "the cursor left the bytes";  // $31

    type(u"7f");
    ASSERT_NE(editor(), nullptr) << "a digit opened no editor";
    Key(editor(), Qt::Key_Return);
    QCoreApplication::processEvents();  // the editor commits and closes queued
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(Buffer()[0x31], 0x7F);

    Key(grid, Qt::Key_F2);
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->text(), QStringLiteral("7F"));
    type(u"00");
    Key(editor(), Qt::Key_Escape);
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(Buffer()[0x31], 0x7F) << "Esc stored the edit";

    Key(grid, Qt::Key_Return);
    ASSERT_NE(editor(), nullptr) << "Enter opened no editor";
    type(u"a9");
    Key(editor(), Qt::Key_Enter);
    QCoreApplication::processEvents();
    EXPECT_EQ(Buffer()[0x31], 0xA9);
    EXPECT_EQ(AccessibleCellName(grid, 3, 2), QStringLiteral("$31: A9"));
    EXPECT_EQ(AccessibleCellName(grid, 3, 0), QStringLiteral("$30:"));
}

TEST_F(DirectTabTest, ImageFilesInAndOut)
{
    StartWindow();
    const std::pair<int, QStringList> sizes[] = {
        {100, {QStringLiteral("Pozor! Vstup příliš krátký!")}},
        {256, {}},
        {300, {QStringLiteral("Pozor! Vstup příliš dlouhý!")}},
    };
    for (const auto& [size, warnings] : sizes) {
        Load(PutFile(QByteArray(256, '\xEE')));  // full first: zeros must come from the load
        dialogs.Clear();
        Load(PutFile(QByteArray(size, '\x5A')));
        EXPECT_EQ(dialogs.entries.front().settings, (FileDialogSettings{ImageFilter, {}}));
        EXPECT_EQ(dialogs.Texts(Kind::Warning), warnings);
        EXPECT_EQ(dialogs.entries.size(), 1u + warnings.size()) << size;
        EXPECT_EQ(Bytes(Buffer()), QByteArray(size, '\x5A').leftJustified(256, '\0', true)) << size;
    }

    // Whatever stood in the file before, a save leaves the page's 256 bytes.
    const QString saved = PutFile(QByteArray(1000, 'x'));
    Load(PutFile(Bytes(Pattern(1))));
    Save(saved);
    EXPECT_EQ(dialogs.entries.back().settings, (FileDialogSettings{ImageFilter, "bin"}));
    EXPECT_EQ(FileBytes(saved), Bytes(Pattern(1)));
    EXPECT_TRUE(dialogs.Texts(Kind::Error).isEmpty());
    EXPECT_TRUE(SettledTrace(0).empty());  // files only: the Controller hears nothing

    // A file that cannot be read or created: the message with the system's
    // reason, and nothing changed.
    for (const QString& path : {files.filePath(QStringLiteral("gone.bin")), files.path()}) {
        dialogs.Clear();
        Load(path);
        const QString head = QStringLiteral("Cannot open file \"%1\". ").arg(path);
        ASSERT_EQ(dialogs.Texts(Kind::Error).size(), 1);
        EXPECT_TRUE(dialogs.Texts(Kind::Error)[0].startsWith(head));
        EXPECT_GT(dialogs.Texts(Kind::Error)[0].size(), head.size());
        EXPECT_EQ(Buffer(), Pattern(1));
    }
    // Nor is anything read from what is no file: no FIFO waited for, no
    // device read without end.
    const QString fifo = files.filePath(QStringLiteral("fifo.bin")), zero = files.filePath(QStringLiteral("zero.bin"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    for (const QString& path : {fifo, zero}) {
        dialogs.Clear();
        Load(path);
        EXPECT_EQ(dialogs.Texts(Kind::Error),
                  QStringList{QStringLiteral("Cannot open file \"%1\". Not a regular file").arg(path)});
        EXPECT_EQ(Buffer(), Pattern(1));
    }
    const QString nowhere = files.filePath(QStringLiteral("missing/x.bin"));
    dialogs.Clear();
    Save(nowhere);
    const QString head = QStringLiteral("Cannot create file \"%1\". ").arg(nowhere);
    ASSERT_EQ(dialogs.Texts(Kind::Error).size(), 1);
    EXPECT_TRUE(dialogs.Texts(Kind::Error)[0].startsWith(head));
    EXPECT_GT(dialogs.Texts(Kind::Error)[0].size(), head.size());
}

TEST_F(DirectTabTest, EachModeSetsButtonsDialogsViewsAndClearing)
{
    StartWindow();
    auto* pages = Find<QComboBox>("cbDirectEEPROMPage");
    auto* types = Find<QComboBox>("cbDirectDebugType");
    const PageBuffer zeros{};
    const auto views = [&] { return std::vector<bool>{!Grid()->isHidden(), !Info()->isHidden(), !InfoExt()->isHidden()}; };
    const auto lists = [&] { return std::vector<bool>{pages->isEnabled(), types->isEnabled()}; };

    EXPECT_EQ(Enabled(), std::vector<bool>(4, true));
    EXPECT_EQ(form->OpenDialogSettings().filter, ImageFilter);
    EXPECT_EQ(form->SaveDialogSettings(), (FileDialogSettings{ImageFilter, "bin"}));
    EXPECT_EQ(views(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(lists(), (std::vector<bool>{true, false}));
    Read();
    const PageBuffer page0 = Buffer();
    ASSERT_NE(page0, zeros);

    PickDebug(0);
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, false, false, true}));
    EXPECT_EQ(form->OpenDialogSettings().filter, ImageFilter);
    EXPECT_EQ(form->SaveDialogSettings(), (FileDialogSettings{TextFilter, "txt"}));
    EXPECT_EQ(views(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(lists(), (std::vector<bool>{false, true}));
    EXPECT_EQ(Buffer(), page0);  // the processed view keeps the buffer

    Find<QRadioButton>("rbDirectEEPROM")->click();
    EXPECT_EQ(Buffer(), zeros);
    EXPECT_EQ(Enabled(), std::vector<bool>(4, true));
    EXPECT_EQ(form->SaveDialogSettings(), (FileDialogSettings{ImageFilter, "bin"}));

    Read();
    PickDebug(1);
    EXPECT_EQ(Buffer(), zeros);
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, false, false, true}));
    EXPECT_EQ(form->SaveDialogSettings(), (FileDialogSettings{ImageFilter, "bin"}));
    EXPECT_EQ(views(), (std::vector<bool>{true, false, true}));

    // Picking the same type again, or coming back to the tab, starts afresh;
    // leaving changes nothing.
    Read();
    ASSERT_NE(Buffer(), zeros);
    PickDebug(1);
    EXPECT_EQ(Buffer(), zeros);
    EXPECT_TRUE(InfoExt()->toPlainText().isEmpty());
    Read();
    ShowTab("tsConst");
    EXPECT_NE(Buffer(), zeros);
    ShowTab("tsDirect");
    EXPECT_EQ(Buffer(), zeros);
    EXPECT_TRUE(InfoExt()->toPlainText().isEmpty());
}

TEST_F(DirectTabTest, DebugDumpInBothViewsAndTheirFiles)
{
    StartWindow();
    PickDebug(0);
    std::size_t before = sim->Trace().size();
    Read();
    EXPECT_EQ(Cmds(SettledTraceFrom(before, 1)), std::vector<std::string>{"45"});
    const QStringList lines = Info()->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 12);
    // The simulator's stack pointer 0x93 and its saved registers.
    EXPECT_EQ(lines[0], QStringLiteral("SP:  $93       IE:  $92       IP:  $10       PC:   $0A3C"));
    EXPECT_EQ(lines[1], QStringLiteral("PSW: $40       ACC: $45       B:   $0A       DPTR: $0180"));
    EXPECT_EQ(lines[2], QStringLiteral("R0:  $31       R1:  $38       R2:  $1C       R3:   $03"));
    EXPECT_EQ(lines[6], QStringLiteral(" * 00 21 04 81 07 03 5B 00 12"));
    EXPECT_TRUE(lines[11].endsWith(QStringLiteral(" A5")));
    EXPECT_EQ(Info()->textCursor().position(), 0);

    // The view is the user's to annotate; the file takes it as it stands.
    Info()->appendPlainText(QStringLiteral("Poznámka: čerpadlo"));
    const QString text = files.filePath(QStringLiteral("dump.txt"));
    Save(text);
    EXPECT_EQ(dialogs.entries.back().settings, (FileDialogSettings{TextFilter, "txt"}));
    EXPECT_EQ(FileBytes(text), Win1250::Encode(lines.join(QStringLiteral("\r\n"))) + "\r\nPozn\xE1mka: \xE8" "erpadlo\r\n");

    PickDebug(1);
    Read();
    EXPECT_EQ(Buffer()[1], 0x45);
    EXPECT_EQ(Buffer()[0x4F], 0xA5);
    EXPECT_EQ(HexGrid::CellText(Buffer(), 1, 8), QStringLiteral("12"));  // address 0x80
    EXPECT_EQ(InfoExt()->toPlainText(), QStringLiteral("SP: $93\nIE: $92\nIP: $10"));
    EXPECT_EQ(InfoExt()->textCursor().position(), 0);
    const QString image = files.filePath(QStringLiteral("memory.bin"));
    Save(image);
    EXPECT_EQ(FileBytes(image), Bytes(Buffer()));
    EXPECT_EQ(dialogs.entries.size(), 2u);  // the two save dialogs
}

TEST_F(DirectTabTest, AFailedExchangeKeepsWhatTheViewsShow)
{
    StartWindow({"--short-reply", "0x45:100", "--short-reply", "0x21:10"});
    Load(PutFile(Bytes(Pattern(5))));
    PickPage(1);
    Read();
    EXPECT_EQ(Buffer(), Pattern(5));
    PickDebug(0);
    Info()->setPlainText(QStringLiteral("earlier"));
    Read();
    EXPECT_EQ(Info()->toPlainText(), QStringLiteral("earlier"));
    PickDebug(1);
    TypeIntoCell(3, 3, QStringLiteral("5A"));
    InfoExt()->setPlainText(QStringLiteral("SP: $00"));
    const PageBuffer edited = Buffer();
    Read();
    EXPECT_EQ(Buffer(), edited);
    EXPECT_EQ(InfoExt()->toPlainText(), QStringLiteral("SP: $00"));
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList(3, QStringLiteral("Chyba komunikace")));
}

TEST_F(DirectTabTest, TheTabsWidgetsAsDesignedAndLegible)
{
    StartWindow();
    form->show();  // scroll areas settle their viewports when shown
    const char* captions[] = {"0 - konstanty",   "1 - ekviterma",   "2 - křivka zdi",   "3 - režim A (1)",
                              "4 - režim A (2)", "5 - režim A (3)", "6 - režim B (1)",  "7 - režim B (2)",
                              "8 - režim B (3)", "9 - režim C (1)", "10 - režim C (2)", "11 - režim C (3)",
                              "12 - logy č.1",   "13 - logy č.2",   "14 - logy č.3",    "15 - logy č.4"};
    auto* pages = Find<QComboBox>("cbDirectEEPROMPage");
    ASSERT_EQ(pages->count(), 16);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(pages->itemText(i), QString::fromUtf8(captions[i]));
    EXPECT_EQ(pages->maxVisibleItems(), 16);
    // Every caption shows whole.
    for (const char* name : {"cbDirectEEPROMPage", "cbDirectDebugType", "rbDirectEEPROM", "rbDirectDebug"})
        EXPECT_GE(Find<QWidget>(name)->width(), Find<QWidget>(name)->sizeHint().width()) << name;

    DrawGrid* grid = Grid();
    EXPECT_EQ(grid->geometry(), QRect(8, 104, 501, 292));
    EXPECT_EQ(Info()->geometry(), grid->geometry());
    EXPECT_EQ(grid->CellRect(0, 0), QRect(0, 0, 48, 17));
    EXPECT_EQ(grid->CellRect(1, 2), QRect(49, 36, 27, 17));
    EXPECT_TRUE(grid->viewport()->rect().contains(grid->CellRect(16, 15)));  // nothing to scroll
    EXPECT_FALSE(grid->horizontalScrollBar()->isVisible() || grid->verticalScrollBar()->isVisible());

    // A fixed pitch, and each text fits its cell or view.
    const QFontMetrics cell(grid->font());
    EXPECT_TRUE(QFontInfo(grid->font()).fixedPitch());
    EXPECT_LE(cell.horizontalAdvance(QStringLiteral("$F0:")), 48 - 3);
    EXPECT_LE(cell.horizontalAdvance(QStringLiteral("DB")), 27 - 5);
    EXPECT_LE(cell.height(), 17 - 1);
    const auto fits = [](QPlainTextEdit* view, const QString& line, int lines) {
        QCoreApplication::processEvents();
        const QFontMetrics fm(view->font());
        const int margins = 2 * int(view->document()->documentMargin());
        EXPECT_TRUE(QFontInfo(view->font()).fixedPitch());
        EXPECT_LE(fm.horizontalAdvance(line), view->viewport()->width() - margins) << line.toStdString();
        EXPECT_LE(lines * fm.lineSpacing(), view->viewport()->height() - margins) << line.toStdString();
    };
    PickDebug(0);
    fits(Info(), QStringLiteral("SP:  $93       IE:  $92       IP:  $10       PC:   $0A3C"), 12);
    PickDebug(1);
    fits(InfoExt(), QStringLiteral("SP: $93"), 3);
}

}  // namespace
