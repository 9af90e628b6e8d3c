// The window in Czech and in English: which language a locale gets, that
// only what the window shows follows it (the bytes on the line and in every
// file stay the same), and that every caption fits where it is shown, as an
// X11 desktop measures it.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

#include "FormFixture.h"
#include "files/BackupFile.h"
#include "shell/Language.h"
#include "tests/support/FileBytes.h"
#include "ui/ModeGrid.h"
#include "ui/SpinEdit.h"

namespace {

const QString Catalogues = QStringLiteral(VESK_TRANSLATIONS_BUILD_DIR);

QString Translated(const char* context, const char* text)
{
    return QCoreApplication::translate(context, text);
}

TEST(LanguageChoice, TheLocalesLanguageWhereItHasACatalogueElseCzech)
{
    const struct {
        const char* locale;
        const char* language;
    } cases[] = {{"en_US", "en"}, {"en_GB", "en"}, {"cs_CZ", "cs"}, {"de_DE", "cs"}, {"sk_SK", "cs"}, {"C", "cs"}};
    for (const auto& c : cases) {
        const Language language(QLocale(QString::fromLatin1(c.locale)), Catalogues);
        EXPECT_EQ(language.Name(), QString::fromLatin1(c.language)) << c.locale;
        const QString read = Translated("TMainForm", "Načíst");
        EXPECT_EQ(read, QString::fromUtf8(language.Name() == u"en" ? "Read" : "Načíst")) << c.locale;
    }
    // Without its catalogues the program still speaks, in Czech.
    const Language none(QLocale(QStringLiteral("en_US")), QStringLiteral("/nonexistent"));
    EXPECT_EQ(none.Name(), QStringLiteral("cs"));
}

// What the window produced in one language.
struct Visit {
    QString readCaption;
    std::vector<std::pair<std::string, int>> line;
    QByteArray parameters, image, backup;
    // The lines of the CSV and of the clipboard: the header, then each hour
    // without its day's name, which is in the window's language.
    QByteArray csvHeader;
    QString clipboardHeader;
    QList<QByteArray> csv;
    QStringList clipboard;
};

// "Po 7:00;…" → "7:00;…"
template <typename Lines>
Lines WithoutDayNames(Lines lines)
{
    for (auto& line : lines)
        line = line.mid(line.indexOf(' ') + 1);
    return lines;
}

class LanguageTest : public FilesFormTest {
protected:
    void Click(const char* button) { Find<QPushButton>(button)->click(); }
    void SaveAs(const QString& path)
    {
        dialogs.fileNames.push_back(path);
        Click("btSave");
    }

    // Every tab read, written back and saved, the logs copied and saved, a
    // page saved as an image and the whole Controller backed up, against a
    // fresh simulator holding the same memory.
    Visit VisitIn(const char* locale)
    {
        const Language language(QLocale(QString::fromLatin1(locale)), Catalogues);
        const QString folder = files.filePath(QString::fromLatin1(locale));
        EXPECT_TRUE(QDir().mkpath(folder));
        const auto file = [&folder](const char* name) { return folder + u'/' + QString::fromLatin1(name); };

        StartWindow();
        Visit visit;
        visit.readCaption = Find<QPushButton>("btRead")->text();
        for (const char* tab : {"tsConst", "tsEkvith", "tsMode", "tsWall"}) {
            ShowTab(tab);
            Click("btRead");
            dialogs.answers.push_back(true);
            Click("btWrite");
            SaveAs(file("settings.vsk"));
        }
        ShowTab("tsLogs");
        Click("btRead");
        auto* grid = Find<QTableView>("sgLogs");
        grid->selectAll();
        Click("btLogsCopy");
        visit.clipboard = QGuiApplication::clipboard()->text().split(QStringLiteral("\r\n"));
        visit.clipboardHeader = visit.clipboard.takeFirst();
        visit.clipboard = WithoutDayNames(visit.clipboard);
        SaveAs(file("logs.csv"));
        ShowTab("tsDirect");
        Find<QRadioButton>("rbDirectEEPROM")->click();
        Click("btRead");
        SaveAs(file("page.bin"));
        dialogs.fileNames.push_back(file("visit.vskb"));
        Click("btDirectBackup");

        EXPECT_TRUE(dialogs.Texts(RecordingDialogs::Kind::Error).isEmpty()) << locale;
        for (const TraceEntry& entry : sim->Trace())
            visit.line.emplace_back(entry.role, entry.byte);
        visit.parameters = Contents(file("settings.vsk"));
        visit.image = Contents(file("page.bin"));
        visit.csv = Contents(file("logs.csv")).split('\n');
        visit.csvHeader = visit.csv.takeFirst();
        visit.csv = WithoutDayNames(visit.csv);
        // A backup says when it was taken, and its digest covers that.
        for (const QByteArray& line : Contents(file("visit.vskb")).split('\n'))
            if (!line.startsWith("Time") && !line.startsWith("SHA256="))
                visit.backup += line + '\n';

        form.reset();
        Serial::ClosePort();
        sim->Stop();
        dialogs.Clear();
        dialogs.answers.clear();
        dialogs.fileNames.clear();
        return visit;
    }
};

TEST_F(LanguageTest, OnlyWhatTheWindowShowsFollowsTheLanguage)
{
    const Visit czech = VisitIn("cs_CZ");
    const Visit english = VisitIn("en_US");
    EXPECT_EQ(czech.readCaption, QStringLiteral("Načíst"));
    EXPECT_EQ(english.readCaption, QStringLiteral("Read"));

    // Six pages written back, besides the commands of every read.
    EXPECT_GT(czech.line.size(), 6u * 257u);
    EXPECT_TRUE(english.line == czech.line) << "the bytes on the line differ";
    EXPECT_TRUE(czech.parameters.contains("[Const]\r\n") && czech.parameters.contains("[Wall]\r\n"));
    EXPECT_EQ(english.parameters, czech.parameters);
    EXPECT_EQ(czech.image.size(), 256);
    EXPECT_EQ(english.image, czech.image);
    EXPECT_TRUE(czech.backup.startsWith("[VESK backup]\n"));
    EXPECT_EQ(english.backup, czech.backup);

    // The CSV and the clipboard: the headers and the days' names in the
    // window's language, the rest of every hour's line the same.
    EXPECT_NE(english.csvHeader, czech.csvHeader);
    EXPECT_EQ(czech.csv.size(), 257);
    EXPECT_EQ(english.csv, czech.csv);
    EXPECT_NE(english.clipboardHeader, czech.clipboardHeader);
    EXPECT_GT(czech.clipboard.size(), 200);
    EXPECT_EQ(english.clipboard, czech.clipboard);
}

// ---- widths as an X11 desktop measures them --------------------------------

class CaptionsX11 : public FormTest {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "measures text as X11 does; CTest runs it as vesk_ui_test_x11 under xvfb-run";
        FormTest::SetUp();
    }
};

// The width a caption needs: its longest line, without the mnemonic's '&'.
int Needed(const QFontMetrics& metrics, QString text)
{
    text.remove(QRegularExpression(QStringLiteral("&(?=[^&])")));
    int widest = 0;
    for (const QString& line : text.split(u'\n'))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

// Where a widget draws, in its parent: a label only where its text is,
// anything else all over.
QRect Drawn(QWidget* widget)
{
    auto* label = qobject_cast<QLabel*>(widget);
    if (!label || !label->pixmap().isNull())
        return widget->geometry();
    if (label->text().isEmpty())
        return {};
    const QFontMetrics metrics = label->fontMetrics();
    const QSize text(Needed(metrics, label->text()), metrics.height() * int(label->text().count(u'\n') + 1));
    return QStyle::alignedRect(label->layoutDirection(), QFlag(label->alignment()), text, label->contentsRect())
        .translated(label->pos());
}

// The box or circle before a caption and the space after it.
int Indicator(QWidget* button, QStyle::PixelMetric indicator, QStyle::PixelMetric spacing)
{
    return button->style()->pixelMetric(indicator, nullptr, button) + button->style()->pixelMetric(spacing, nullptr, button);
}

// Every label, button, box and group of every tab and of the panel above
// them, and every tab's caption, shows whole in the window's fixed size.
TEST_F(CaptionsX11, EveryCaptionFitsWhereItIsShown)
{
    StartWindow();
    form->show();
    auto* pages = Find<QTabWidget>("PageControl");
    for (int i = 0; i < pages->count(); ++i)
        pages->setCurrentIndex(i);
    EXPECT_LE(pages->tabBar()->sizeHint().width(), pages->width());

    int checked = 0;
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        if (widget->isHidden() || widget->objectName().isEmpty() || widget->objectName().startsWith(u"qt_"))
            continue;
        const std::string name = widget->objectName().toStdString();
        const QFontMetrics metrics = widget->fontMetrics();
        if (auto* label = qobject_cast<QLabel*>(widget); label && label->pixmap().isNull() && !label->wordWrap()) {
            EXPECT_LE(Needed(metrics, label->text()), label->contentsRect().width()) << name << ": " << label->text().toStdString();
            // Nor does it run into what is beside it.
            for (QWidget* sibling : label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (sibling != label && !sibling->isHidden()) {
                    EXPECT_FALSE(Drawn(sibling).intersects(Drawn(label)))
                        << name << ": " << label->text().toStdString() << " into " << sibling->objectName().toStdString();
                }
            }
        } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            EXPECT_LE(Indicator(box, QStyle::PM_IndicatorWidth, QStyle::PM_CheckBoxLabelSpacing) +
                          Needed(metrics, box->text()),
                      box->width())
                << name << ": " << box->text().toStdString();
        } else if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            EXPECT_LE(Indicator(radio, QStyle::PM_ExclusiveIndicatorWidth, QStyle::PM_RadioButtonLabelSpacing) +
                          Needed(metrics, radio->text()),
                      radio->width())
                << name << ": " << radio->text().toStdString();
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            EXPECT_LE(Needed(metrics, button->text()) + 8, button->width()) << name << ": " << button->text().toStdString();
        } else if (auto* combo = qobject_cast<QComboBox*>(widget); combo && !combo->isEditable()) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            for (int i = 0; i < combo->count(); ++i) {
                const QSize content(Needed(metrics, combo->itemText(i)), metrics.height());
                EXPECT_LE(combo->style()->sizeFromContents(QStyle::CT_ComboBox, &option, content, combo).width(),
                          combo->width())
                    << name << ": " << combo->itemText(i).toStdString();
            }
        } else if (auto* view = qobject_cast<QTableView*>(widget); view && !view->horizontalHeader()->isHidden()) {
            const QHeaderView* header = view->horizontalHeader();
            const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
            for (int i = 0; i < header->count(); ++i) {
                const QString text = header->model()->headerData(i, Qt::Horizontal).toString();
                EXPECT_LE(Needed(header->fontMetrics(), text) + 2 * margin, header->sectionSize(i))
                    << name << ": " << text.toStdString();
            }
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            EXPECT_LE(Needed(metrics, group->title()) + 16, group->width()) << name << ": " << group->title().toStdString();
        } else {
            continue;
        }
        ++checked;
    }
    // The week grid draws the days' names itself, from a fixed inset.
    auto* grid = Find<ModeGrid>("dgMode");
    for (int day = 0; day < ModeProgram::Days; ++day)
        EXPECT_LE(ModeGrid::DayNameAt.x() + Needed(grid->fontMetrics(), ModeDayName(day)), ModeGrid::ColumnWidth)
            << ModeDayName(day).toStdString();
    EXPECT_GT(checked, 100);
}

}  // namespace
