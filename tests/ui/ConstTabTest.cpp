// The tab "Kalorest" end to end: the window's handlers against the
// simulated Controller's page 0.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <set>

#include "FormFixture.h"
#include "controller/RegulationConstants.h"
#include "controller/Win1250.h"
#include "ui/ConstTab.h"
#include "ui/FieldBinder.h"
#include "ui/SpinEdit.h"

namespace {

using Kind = RecordingDialogs::Kind;

// Bytes of page 0 that belong to no field of the tab.
std::vector<int> ForeignBytes()
{
    std::vector<int> offsets{6, 12, 13, 14, 15, 22, 30, 31};
    for (int i = 45; i < 128; ++i)
        offsets.push_back(i);
    return offsets;
}

class ConstTabTest : public FormTest {
protected:
    void Read() { Find<QPushButton>("btRead")->click(); }

    void Write()
    {
        dialogs.answers.push_back(true);
        Find<QPushButton>("btWrite")->click();
    }

    QTemporaryDir images;  // outlives the simulator, which saves into it at exit

    PageBuffer Page0()
    {
        const auto page = ReadPage(0);
        EXPECT_TRUE(page.has_value());
        return page.value_or(PageBuffer{});
    }

    SpinEdit* Spin(const QString& key) { return Find<SpinEdit>(("se" + key).toLatin1().constData()); }
    QLineEdit* NameEdit(int i) { return Find<QLineEdit>(QStringLiteral("edSens%1Name").arg(i).toLatin1().constData()); }

    // Types into a spin edit and moves the focus away, as a user would.
    void Type(SpinEdit* spin, const QString& text)
    {
        spin->findChild<QLineEdit*>()->setText(text);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(spin, &out);
    }
};

TEST_F(ConstTabTest, ReadShowsTheControllersPage)
{
    StartWindow();
    const PageBuffer page = Page0();
    Read();
    EXPECT_TRUE(dialogs.entries.empty());

    const RegulationConstants expected = DecodeConstantsPage(page);
    RegulationConstants copy = expected;
    for (const auto& f : ConstantsFields()) {
        if (f.member && (f.kind == RowKind::Byte || f.kind == RowKind::SignedByte)) {
            EXPECT_EQ(Spin(f.Key())->value(), *std::get<int*>(f.Of(copy))) << f.Key().toStdString();
        } else if (f.kind == RowKind::ListIndex) {
            EXPECT_EQ(Find<QComboBox>(f.WidgetName().toLatin1().constData())->currentIndex(),
                      *std::get<int*>(f.Of(copy)))
                << f.Key().toStdString();
        }
    }
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(Find<QCheckBox>(QStringLiteral("cbSens%1Used").arg(i).toLatin1().constData())->isChecked(),
                  bool(page[40] >> i & 1))
            << i;
        EXPECT_EQ(NameEdit(i)->text(), expected.SensName[i]) << i;
    }
    // The simulator's names, Czech letters and a full 16-character slot
    // included; an unwritten slot (0xFF) is empty.
    EXPECT_EQ(NameEdit(0)->text(), QStringLiteral("Výstup kotle"));
    EXPECT_EQ(NameEdit(5)->text(), QStringLiteral("Zeď sever"));
    EXPECT_EQ(NameEdit(6)->text(), QStringLiteral("Kuchyň a jídelna"));
    EXPECT_EQ(NameEdit(7)->text(), QString());
    EXPECT_EQ(Find<QComboBox>("cbMode")->currentText(), QStringLiteral("Ekvitermní"));
    EXPECT_EQ(Find<QLineEdit>("edRunCount")->text(), QString::number(page[7]));
    EXPECT_EQ(Find<QLineEdit>("edBlrCounter")->text(), QStringLiteral("960 hod 13 min 9 sec"));
}

TEST_F(ConstTabTest, WriteStoresTheTabAndKeepsTheForeignBytes)
{
    StartWindow();
    Read();
    // Behind the window's back the Controller's foreign bytes change, and a
    // field of the tab too; the write must take the former as they are now
    // and overwrite the latter with what the tab shows.
    PageBuffer changed = Page0();
    for (int offset : ForeignBytes())
        changed[offset] = std::uint8_t(offset * 7 + 3);
    changed[2] = 99;
    ASSERT_TRUE(WritePage(0, changed));

    Spin("Shift")->setValue(-10);
    Spin("Sens3Corr")->setValue(-2);
    Find<QComboBox>("cbLog2")->setCurrentIndex(5);
    for (int i = 0; i < 8; ++i)
        Find<QCheckBox>(QStringLiteral("cbSens%1Used").arg(i).toLatin1().constData())->setChecked(i == 2);
    NameEdit(3)->setText(QStringLiteral("Kotel"));
    NameEdit(4)->setText(QStringLiteral("Čerpadlo"));

    const std::size_t before = sim->Trace().size();
    Write();
    EXPECT_EQ(dialogs.Texts(Kind::Question), QStringList{QStringLiteral("Opravdu zapsat?")});
    EXPECT_EQ(dialogs.entries.size(), 1u);
    // A fresh read, then the page: command and 256 data bytes.
    const auto trace = SettledTraceFrom(before, 2 + 256);
    EXPECT_EQ(Cmds(trace), (std::vector<std::string>{"20", "30"}));
    EXPECT_EQ(trace.size(), 2u + 256u);

    const PageBuffer after = Page0();
    for (int offset : ForeignBytes())
        EXPECT_EQ(after[offset], changed[offset]) << "byte " << offset;
    EXPECT_EQ(after[0], 0xF6);
    EXPECT_EQ(after[2], 21);  // the tab's value, not the 99
    EXPECT_EQ(after[35], 0xFE);
    EXPECT_EQ(after[42], 5);
    EXPECT_EQ(after[40], 0x04);
    const QByteArray kotel("Kotel\0", 6);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&after[176]), 6), kotel);
    for (int i = 182; i < 192; ++i)
        EXPECT_EQ(after[i], changed[i]) << "name slot 3, byte " << i;
    EXPECT_EQ(Win1250::Decode(&after[192], 8), QStringLiteral("Čerpadlo"));
    EXPECT_EQ(after[200], 0x00);
    // The untouched 16-character name goes back whole.
    for (int i = 224; i < 240; ++i)
        EXPECT_EQ(after[i], changed[i]) << "name slot 6, byte " << i;
}

TEST_F(ConstTabTest, WriteWithoutClearingKeepsTheControllersRunTime)
{
    StartWindow();
    Read();
    ASSERT_EQ(Find<QLineEdit>("edRunCount")->text(), QStringLiteral("17"));
    // The Controller counts on after the read.
    PageBuffer later = Page0();
    later[7] = 18;
    later[8] = 0x00, later[9] = 0x34, later[10] = 0xBF, later[11] = 0x00;
    ASSERT_TRUE(WritePage(0, later));

    Write();
    const PageBuffer after = Page0();
    EXPECT_EQ(after[7], 17);  // the count shown
    EXPECT_EQ(after[8], 0x00);
    EXPECT_EQ(after[9], 0x34);
    EXPECT_EQ(after[10], 0xBF);
    EXPECT_EQ(after[11], 0x00);
}

TEST_F(ConstTabTest, ClearButtonsZeroTheCountersOnTheNextWrite)
{
    StartWindow();
    Read();
    const std::size_t before = sim->Trace().size();
    Find<QToolButton>("sbClearBlrCounter")->click();
    EXPECT_EQ(Find<QLineEdit>("edBlrCounter")->text(), QStringLiteral("0 hod 0 min 0 sec"));
    EXPECT_EQ(Find<QLineEdit>("edRunCount")->text(), QStringLiteral("17"));
    // Clearing sends nothing.
    EXPECT_EQ(SettledTrace(before).size(), before);

    Write();
    PageBuffer after = Page0();
    EXPECT_EQ(after[7], 17);
    for (int i = 8; i < 12; ++i)
        EXPECT_EQ(after[i], 0) << i;

    Find<QToolButton>("sbClearRunCount")->click();
    EXPECT_EQ(Find<QLineEdit>("edRunCount")->text(), QStringLiteral("0"));
    Write();
    after = Page0();
    EXPECT_EQ(after[7], 0);
}

TEST_F(ConstTabTest, WriteInAFreshWindowZeroesTheCounters)
{
    StartWindow();
    const PageBuffer before = Page0();
    ASSERT_NE(before[7], 0);
    ASSERT_NE(before[8] | before[9] | before[10] | before[11], 0);
    EXPECT_EQ(Find<QLineEdit>("edRunCount")->text(), QStringLiteral("0"));
    EXPECT_EQ(Find<QLineEdit>("edBlrCounter")->text(), QStringLiteral("0 hod 0 min 0 sec"));
    EXPECT_FALSE(Find<QLineEdit>("edRunCount")->isEnabled());
    EXPECT_FALSE(Find<QLineEdit>("edBlrCounter")->isEnabled());

    Write();
    EXPECT_TRUE(dialogs.Texts(Kind::Error).isEmpty());
    const PageBuffer after = Page0();
    for (int i = 7; i < 12; ++i)
        EXPECT_EQ(after[i], 0) << i;
    // The fresh tab's lists stand at their first entries.
    EXPECT_EQ(after[1], 0);
    EXPECT_EQ(after[19], 0);
}

TEST_F(ConstTabTest, ListWithoutSelectionStopsTheWrite)
{
    // Page 0 with a mode outside the list, the rest of the EEPROM blank.
    const QString image = images.filePath(QStringLiteral("eeprom.bin"));
    {
        QByteArray eeprom(4096, '\0');
        eeprom[1] = 6;
        QFile file(image);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(eeprom), 4096);
    }
    StartWindow({"--eeprom", QFile::encodeName(image).toStdString()});
    Read();
    EXPECT_EQ(Find<QComboBox>("cbMode")->currentIndex(), -1);
    EXPECT_EQ(Find<QComboBox>("cbSwMode")->currentIndex(), 0);

    const std::size_t before = sim->Trace().size();
    Write();
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QStringLiteral("Range check error")});
    const auto trace = SettledTraceFrom(before, 1);
    EXPECT_EQ(Cmds(trace), std::vector<std::string>{"20"});
    EXPECT_EQ(trace.size(), 1u);

    // Choosing an entry makes the next write go through.
    Find<QComboBox>("cbMode")->setCurrentIndex(2);
    dialogs.Clear();
    Write();
    EXPECT_TRUE(dialogs.Texts(Kind::Error).isEmpty());
    EXPECT_EQ(Page0()[1], 2);
}

TEST_F(ConstTabTest, FailedReadLeavesTheTabAsItWas)
{
    StartWindow({"--short-reply", "0x20:10"});
    Spin("Thstat")->setValue(55);
    NameEdit(1)->setText(QStringLiteral("Sklep"));
    Find<QComboBox>("cbLog1")->setCurrentIndex(4);
    Read();
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{QStringLiteral("Chyba komunikace")});
    EXPECT_EQ(Spin("Thstat")->value(), 55);
    EXPECT_EQ(NameEdit(1)->text(), QStringLiteral("Sklep"));
    EXPECT_EQ(Find<QComboBox>("cbLog1")->currentIndex(), 4);
    EXPECT_EQ(Find<QLineEdit>("edBlrCounter")->text(), QStringLiteral("0 hod 0 min 0 sec"));
}

TEST_F(ConstTabTest, SpinEditsKeepTheirRange)
{
    StartWindow();
    SpinEdit* maxTemp = Spin("EkvMaxTemp");
    maxTemp->setValue(200);
    EXPECT_EQ(maxTemp->value(), 127);
    EXPECT_EQ(maxTemp->text(), QStringLiteral("127"));

    SpinEdit* rate = Spin("BlrLoRate");
    Type(rate, QStringLiteral("250"));
    EXPECT_EQ(rate->value(), 100);
    EXPECT_EQ(rate->text(), QStringLiteral("100"));
    Type(rate, QStringLiteral("$20"));
    EXPECT_EQ(rate->value(), 32);

    // A text that is not a number stays as typed and counts as the minimum.
    SpinEdit* shift = Spin("Shift");
    Type(shift, QStringLiteral("abc"));
    EXPECT_EQ(shift->text(), QStringLiteral("abc"));
    EXPECT_EQ(shift->value(), -128);
    SpinEdit* range = Spin("EkvRange");
    range->setValue(40);
    Type(range, QStringLiteral("-"));
    EXPECT_EQ(range->value(), 0);
    Type(Spin("Sens0Corr"), QStringLiteral("-300"));
    EXPECT_EQ(Spin("Sens0Corr")->value(), -128);

    Write();
    const PageBuffer after = Page0();
    EXPECT_EQ(after[23], 127);
    EXPECT_EQ(after[25], 32);
    EXPECT_EQ(after[0], 0x80);
    EXPECT_EQ(after[24], 0);
    EXPECT_EQ(after[32], 0x80);
}

TEST_F(ConstTabTest, TheTabsWidgetsAsDesigned)
{
    StartWindow();
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(NameEdit(i)->maxLength(), 15) << i;
        EXPECT_EQ(Find<QCheckBox>(QStringLiteral("cbSens%1Used").arg(i).toLatin1().constData())->text(),
                  QString::number(i));
    }
    EXPECT_EQ(Spin(QStringLiteral("EkvMaxTemp"))->maximum(), 127);
    EXPECT_EQ(Spin(QStringLiteral("Shift"))->minimum(), -128);
    EXPECT_EQ(Spin(QStringLiteral("BlrHiRate"))->maximum(), 100);
    EXPECT_EQ(Spin(QStringLiteral("Sens7Corr"))->minimum(), -128);
    EXPECT_EQ(Find<QComboBox>("cbMode")->count(), 6);
    EXPECT_EQ(Find<QComboBox>("cbLog3")->count(), 8);
    for (const auto& f : ConstantsFields()) {
        if (f.kind == RowKind::ListIndex) {
            EXPECT_FALSE(Find<QComboBox>(f.WidgetName().toLatin1().constData())->isEditable())
                << f.Key().toStdString();
        }
    }
    EXPECT_EQ(Find<QComboBox>("cbThstatSens")->itemText(5), QStringLiteral("Zeď"));
    EXPECT_EQ(Find<QComboBox>("cbSwMode")->itemText(4), QStringLiteral("Režim B - slabý"));
    for (const char* name : {"sbClearRunCount", "sbClearBlrCounter"}) {
        auto* button = Find<QToolButton>(name);
        EXPECT_EQ(button->size(), QSize(21, 21));
        EXPECT_EQ(button->text(), QStringLiteral("×"));
        EXPECT_TRUE(button->font().bold());
        EXPECT_EQ(button->font().pixelSize(), 16);
    }
    EXPECT_EQ(Find<QLineEdit>("edBlrCounter")->width(), 160);
}

}  // namespace

namespace {

// Every word the page's table gives a field stands in the window: on the
// field's own label (or check box), and as its input's name for screen
// readers, one name per input.  A field added to the table whose label has
// no buddy in the .ui would show no caption at all.
TEST_F(ConstTabTest, TheTablesWordsStandOnTheTab)
{
    StartWindow();
    auto* tab = Find<ConstTab>("tsConst");
    std::set<QString> names;
    for (const auto& f : ConstantsFields()) {
        if (!f.member || f.WidgetName().isEmpty())
            continue;
        QWidget* input = Find<QWidget>(f.WidgetName().toLatin1().constData());
        EXPECT_TRUE(names.insert(input->accessibleName()).second) << f.Key().toStdString();
        EXPECT_FALSE(input->accessibleName().isEmpty()) << f.Key().toStdString();
        if (!f.label)
            continue;
        if (auto* check = qobject_cast<QCheckBox*>(input)) {
            EXPECT_EQ(check->text(), f.Label()) << f.Key().toStdString();
            continue;
        }
        QLabel* own = nullptr;
        for (QLabel* label : tab->findChildren<QLabel*>())
            if (label->buddy() == input)
                own = label;
        ASSERT_NE(own, nullptr) << f.Key().toStdString();
        EXPECT_EQ(own->text(), f.Label()) << f.Key().toStdString();
    }
    EXPECT_EQ(names.size(), 49u);
}

// What the user changed since the last read or load: typing, choosing,
// clearing a counter; showing a read or a load again is no change, nor is
// changing a field back.  Nothing of it shows on the window.
TEST_F(ConstTabTest, TheTabKnowsWhatTheUserChangedSinceTheRead)
{
    StartWindow();
    const FieldBinder& fields = Find<ConstTab>("tsConst")->Fields();
    std::vector<bool> signalled;
    QObject guard;
    QObject::connect(&fields, &FieldBinder::ChangedSinceShown, &guard,
                     [&signalled](bool changed) { signalled.push_back(changed); });
    EXPECT_FALSE(fields.Changed());
    EXPECT_TRUE(fields.AtDefaults());

    Type(Spin(QStringLiteral("EkvMaxTemp")), QStringLiteral("70"));
    EXPECT_TRUE(fields.Changed());
    Type(Spin(QStringLiteral("EkvMaxTemp")), QStringLiteral("0"));
    EXPECT_FALSE(fields.Changed());
    EXPECT_EQ(signalled, (std::vector<bool>{true, false}));

    Read();
    EXPECT_FALSE(fields.Changed());
    EXPECT_FALSE(fields.AtDefaults());
    EXPECT_EQ(signalled.size(), 2u);  // a read shows, the user changed nothing

    const QString name = NameEdit(3)->text();
    NameEdit(3)->setText(name + u'x');
    EXPECT_TRUE(fields.Changed());
    NameEdit(3)->setText(name);
    Find<QComboBox>("cbLog1")->setCurrentIndex((Find<QComboBox>("cbLog1")->currentIndex() + 1) % 8);
    EXPECT_TRUE(fields.Changed());
    Read();
    EXPECT_FALSE(fields.Changed());
    Find<QToolButton>("sbClearRunCount")->click();
    EXPECT_TRUE(fields.Changed());

    const QString file = QDir(images.path()).filePath(QStringLiteral("kotelna.vsk"));
    dialogs.fileNames.push_back(file);
    Find<QPushButton>("btSave")->click();
    dialogs.fileNames.push_back(file);
    Find<QPushButton>("btLoad")->click();
    EXPECT_FALSE(fields.Changed());
}

}  // namespace
