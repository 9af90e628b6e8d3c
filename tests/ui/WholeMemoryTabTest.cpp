// The group "Celá paměť" in the window: a backup and a restore around
// changes made through the tabs, a close in the middle of a transfer, the
// progress, choice and text dialogs as Qt shows them, and the captions as
// an X11 desktop measures them.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include "FormFixture.h"
#include "files/BackupFile.h"
#include "link/Serial.h"
#include "shell/BackupTexts.h"
#include "ui/QtDialogs.h"
#include "ui/SpinEdit.h"

namespace {

using Kind = RecordingDialogs::Kind;

class WholeMemoryTabTest : public FilesFormTest {
protected:
    void Click(const char* button) { Find<QPushButton>(button)->click(); }
    void Write()
    {
        dialogs.answers.push_back(true);
        Click("btWrite");
    }
    QString File(const char* name) const { return files.filePath(QString::fromLatin1(name)); }
    std::vector<PageBuffer> Pages()
    {
        std::vector<PageBuffer> pages;
        for (int page = 0; page < Page::Count; ++page)
            pages.push_back(ReadPage(page).value_or(PageBuffer{}));
        return pages;
    }
};

// Back up, change two tabs' settings and let the Controller count on, then
// restore: the settings are the backup's again, the counters and the log
// position the Controller's, and the logs untouched.
TEST_F(WholeMemoryTabTest, ARoundTripThroughTheTabsKeepsTheControllersCounters)
{
    StartWindow();
    ShowTab("tsDirect");
    dialogs.fileNames.push_back(File("visit.vskb"));
    Click("btDirectBackup");
    ASSERT_TRUE(dialogs.Texts(Kind::Error).isEmpty());
    const std::vector<PageBuffer> backedUp = Pages();
    const BackupRead backup = ReadBackupFile(File("visit.vskb"));
    ASSERT_TRUE(backup.backup);
    for (int page = 0; page < Page::Count; ++page)
        ASSERT_EQ(backup.backup->pages.pages[std::size_t(page)], backedUp[std::size_t(page)]) << page;

    ShowTab("tsConst");
    Click("btRead");
    auto* maxTemp = Find<SpinEdit>("seEkvMaxTemp");
    maxTemp->setValue(maxTemp->value() == 80 ? 81 : 80);
    Write();
    ShowTab("tsEkvith");
    Find<QLineEdit>("leEkvithFillA")->setText(QStringLiteral("0,1"));
    Find<QLineEdit>("leEkvithFillC")->setText(QStringLiteral("30"));
    Click("btFillEkvith");
    Write();
    // Meanwhile the Controller ran: another log position, run count and time.
    PageBuffer counted = *ReadPage(0);
    for (int offset = 6; offset <= 11; ++offset)
        counted[std::size_t(offset)] ^= 0x11;
    ASSERT_TRUE(WritePage(0, counted));
    const std::vector<PageBuffer> changed = Pages();
    ASSERT_NE(changed[0], backedUp[0]);
    ASSERT_NE(changed[1], backedUp[1]);

    // The status tab ran its timer; no poll may run during the transfers.
    ShowTab("tsClockSensors");
    ShowTab("tsDirect");
    int polled = 0;
    dialogs.onProgress = [&](const RecordingDialogs::Step&) {
        polled += form->StatusTimer().isActive();
        return false;
    };
    dialogs.Clear();
    dialogs.fileNames.push_back(File("visit.vskb"));
    dialogs.answers.push_back(true);
    Click("btDirectRestore");
    EXPECT_EQ(polled, 0);
    EXPECT_EQ(dialogs.Texts(Kind::Question),
              QStringList{QStringLiteral("Opravdu obnovit?\n\nZmění se tyto stránky:\n  0 - konstanty\n  1 - ekviterma")});
    ASSERT_EQ(dialogs.Texts(Kind::Information).size(), 1);

    std::vector<PageBuffer> expected = backedUp;
    for (int offset = 6; offset <= 11; ++offset)
        expected[0][std::size_t(offset)] = counted[std::size_t(offset)];
    EXPECT_EQ(Pages(), expected);
    EXPECT_EQ(QDir(AutoBackupFolder()).entryList(QDir::Files).size(), 1);
}

// A close while pages are read, from the close box or a quit signal: the
// transfer stops before its next page, nothing more is said, and the window
// closes after it, with the port released.
TEST_F(WholeMemoryTabTest, ACloseDuringATransferStopsItAndThenCloses)
{
    for (const bool fromSignal : {false, true}) {
        SCOPED_TRACE(fromSignal ? "quit signal" : "window manager");
        form.reset();
        if (sim)
            sim->Stop();
        dialogs = RecordingDialogs{};
        StartWindow();
        ShowTab("tsDirect");
        dialogs.onProgress = [&](const RecordingDialogs::Step& step) {
            if (step.done == 3) {
                if (fromSignal)
                    form->close();
                else
                    QCoreApplication::postEvent(form.get(), new QCloseEvent);
                // As the progress dialog does between pages.
                QCoreApplication::processEvents();
                EXPECT_TRUE(Serial::IsOpen()) << "closed under the transfer";
            }
            return false;
        };
        const QString path = File(fromSignal ? "signal.vskb" : "box.vskb");
        dialogs.fileNames.push_back(path);
        Click("btDirectBackup");
        EXPECT_FALSE(Serial::IsOpen());
        EXPECT_FALSE(QFile::exists(path));
        EXPECT_TRUE(dialogs.Texts(Kind::Error).isEmpty());
        EXPECT_EQ(Cmds(SettledTrace(0)), (std::vector<std::string>{"44", "20", "21", "22"}));
    }
}

// ---- the dialogs as Qt shows them ------------------------------------------

class QtDialogsTest : public ::testing::Test {
protected:
    // Runs `act` on the dialog that the next call opens modally.
    static void OnModal(std::function<void(QWidget*)> act)
    {
        QTimer::singleShot(0, [act] { act(QApplication::activeModalWidget()); });
    }
    QWidget parent;
    QtDialogs dialogs{&parent};
};

TEST_F(QtDialogsTest, TheProgressIsModalOverTheProgramAndCanBeCancelled)
{
    auto progress = dialogs.StartProgress(QStringLiteral("Zálohování"));
    auto* shown = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(shown->windowTitle(), QStringLiteral("Zálohování"));
    progress->Show(0, 4);
    EXPECT_EQ(shown->labelText(), QStringLiteral("Stránka 0 z 4"));
    progress->Show(1, 4);
    EXPECT_TRUE(shown->labelText().startsWith(QStringLiteral("Stránka 1 z 4, zbývá asi "))) << shown->labelText().toStdString();
    EXPECT_FALSE(progress->Cancelled());
    shown->findChild<QPushButton*>()->click();
    EXPECT_TRUE(progress->Cancelled());
    progress.reset();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(SecondsLeftTest, AtThePaceSoFar)
{
    EXPECT_EQ(SecondsLeft(5000, 0, 16), std::nullopt);
    EXPECT_EQ(SecondsLeft(3000, 4, 16), 9);
    EXPECT_EQ(SecondsLeft(3001, 4, 16), 10);
    EXPECT_EQ(SecondsLeft(3000, 16, 16), 0);
}

TEST_F(QtDialogsTest, TheChoiceGivesTheStatesOfItsBoxes)
{
    OnModal([](QWidget* dialog) {
        const auto boxes = dialog->findChildren<QCheckBox*>();
        ASSERT_EQ(boxes.size(), 2);
        EXPECT_EQ(boxes[0]->text(), QStringLiteral("a"));
        EXPECT_TRUE(boxes[0]->isChecked());
        boxes[0]->setChecked(false);
        boxes[1]->setChecked(true);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    EXPECT_EQ(dialogs.Choose(QStringLiteral("?"), {QStringLiteral("a"), QStringLiteral("b")}, {true, false}),
              (std::vector<bool>{false, true}));
    OnModal([](QWidget* dialog) { dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click(); });
    EXPECT_EQ(dialogs.Choose(QStringLiteral("?"), {QStringLiteral("a")}, {true}), std::nullopt);
}

TEST_F(QtDialogsTest, TheTextCanBeReadAndCopied)
{
    const QString text = QStringLiteral("Porovnání: …\n  $17: 4B → 50");
    OnModal([text](QWidget* dialog) {
        auto* view = dialog->findChild<QPlainTextEdit*>();
        ASSERT_NE(view, nullptr);
        EXPECT_TRUE(view->isReadOnly());
        EXPECT_EQ(view->toPlainText(), text);
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("Kopírovat vše"))
                button->click();
        dialog->close();
    });
    QGuiApplication::clipboard()->clear();
    dialogs.ShowText(QStringLiteral("Porovnání"), text);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), text);
}

// ---- widths as an X11 desktop measures them --------------------------------

class WholeMemoryX11 : public FormTest {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "measures text as X11 does; CTest runs it as vesk_ui_test_x11 under xvfb-run";
        FormTest::SetUp();
    }
};

TEST_F(WholeMemoryX11, TheGroupsCaptionsFitInTheTabsFreeArea)
{
    StartWindow();
    form->show();
    ShowTab("tsDirect");
    auto* group = Find<QGroupBox>("gbDirectWholeMemory");
    EXPECT_EQ(group->title(), QCoreApplication::translate("DirectTab", " Celá paměť "));
    EXPECT_LE(group->fontMetrics().horizontalAdvance(group->title()), group->width() - 16);
    EXPECT_FALSE(group->geometry().intersects(Find<QWidget>("GroupBox15")->geometry()));
    EXPECT_FALSE(group->geometry().intersects(Find<QWidget>("dgHexEditor")->geometry()));
    EXPECT_LE(group->geometry().right(), Find<QWidget>("tsDirect")->width());
    const char* buttons[][2] = {
        {"btDirectBackup", "Zálohovat..."}, {"btDirectRestore", "Obnovit..."}, {"btDirectCompare", "Porovnat..."}};
    for (const auto& [name, caption] : buttons) {
        auto* button = Find<QPushButton>(name);
        EXPECT_EQ(button->text(), QCoreApplication::translate("DirectTab", caption));
        EXPECT_LE(button->sizeHint().width(), button->width()) << name;
        EXPECT_LE(button->geometry().right(), group->contentsRect().right()) << name;
    }
}

}  // namespace
