// The tab "Kalorest": the regulation constants in EEPROM page 0.  The
// widgets show the window's RegulationConstants; the counters are shown
// only, so they live in the model and nowhere else.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

#include "SpinEdit.h"
#include "controller/ConstantsTransfer.h"
#include "controller/Lists.h"
#include "ui/MainUnit.h"
#include "ui_MainUnit.h"

namespace {

constexpr int SensorCount = 8;
constexpr int TypedNameLength = 15;
constexpr int NameSlotLength = 16;

// The widgets are named after the fields ("se" or "cb" and the field's key),
// so the field descriptors find their widget.
template <typename W>
W* Find(const QWidget* tab, const QString& name)
{
    W* widget = tab->findChild<W*>(name);
    Q_ASSERT_X(widget, "ConstTab", qPrintable(name));
    return widget;
}

SpinEdit* SpinOf(const QWidget* tab, const SpinField& field)
{
    return Find<SpinEdit>(tab, QStringLiteral("se") + QLatin1StringView(field.key));
}

QComboBox* ListOf(const QWidget* tab, const ListField& field)
{
    return Find<QComboBox>(tab, QStringLiteral("cb") + QLatin1StringView(field.key));
}

QCheckBox* UsedOf(const QWidget* tab, int sensor)
{
    return Find<QCheckBox>(tab, QStringLiteral("cbSens%1Used").arg(sensor));
}

QLineEdit* NameOf(const QWidget* tab, int sensor)
{
    return Find<QLineEdit>(tab, QStringLiteral("edSens%1Name").arg(sensor));
}

}  // namespace

void TMainForm::SetUpConstTab()
{
    for (const ListField& field : ListFields()) {
        QComboBox* list = ListOf(ui->tsConst, field);
        list->addItems(field.count == RegulationMode::Count ? RegulationMode::Items() : SensorId::Items());
    }
    for (QToolButton* button : {ui->sbClearRunCount, ui->sbClearBlrCounter}) {
        QFont font = button->font();
        font.setBold(true);
        font.setPixelSize(16);
        button->setFont(font);
    }
    connect(ui->sbClearRunCount, &QToolButton::clicked, this, &TMainForm::sbClearRunCountClick);
    connect(ui->sbClearBlrCounter, &QToolButton::clicked, this, &TMainForm::sbClearBlrCounterClick);
    ShowConstants();
}

void TMainForm::ShowConstants()
{
    for (const SpinField& field : SpinFields())
        SpinOf(ui->tsConst, field)->setValue(field.field(constants));
    for (const ListField& field : ListFields())
        ListOf(ui->tsConst, field)->setCurrentIndex(ListPosition(field.field(constants), field.count));
    for (int i = 0; i < SensorCount; ++i) {
        UsedOf(ui->tsConst, i)->setChecked(constants.SensUsed[i]);
        // A typed name has at most 15 characters, so it fits its slot with
        // the end byte.  A slot filled to all 16 characters (no end byte) is
        // shown whole so that reading and writing back keeps it; anything
        // longer is cut to the slot, as writing would cut it.
        const QString& name = constants.SensName[i];
        QLineEdit* edit = NameOf(ui->tsConst, i);
        edit->setMaxLength(std::clamp<int>(int(name.size()), TypedNameLength, NameSlotLength));
        edit->setText(name);
        edit->setCursorPosition(0);  // the edit is narrow: show a long name's start
    }
    ShowCounters();
}

void TMainForm::ShowCounters()
{
    ui->edRunCount->setText(QString::number(constants.RunCount));
    ui->edBlrCounter->setText(FormatRunTime(constants.BlrCounter));
}

void TMainForm::CollectConstants()
{
    // SpinEdit's value is already limited to its range, and a text that is
    // not a number has made it the minimum.
    for (const SpinField& field : SpinFields())
        field.field(constants) = SpinOf(ui->tsConst, field)->value();
    for (const ListField& field : ListFields())
        field.field(constants) = ListOf(ui->tsConst, field)->currentIndex();
    for (int i = 0; i < SensorCount; ++i) {
        constants.SensUsed[i] = UsedOf(ui->tsConst, i)->isChecked();
        constants.SensName[i] = NameOf(ui->tsConst, i)->text();
    }
}

void TMainForm::ReadConstantsTab()
{
    RegulationConstants read;
    if (!ReadConstants(link, read))
        return;
    constants = read;
    ShowConstants();
}

void TMainForm::WriteConstantsTab()
{
    CollectConstants();
    if (WriteConstants(link, constants) == WriteOutcome::RangeCheckError)
        dialogs.Error(QString::fromLatin1(RangeCheckErrorText));
}

void TMainForm::sbClearRunCountClick()
{
    ClearRunCount(constants);
    ShowCounters();
}

void TMainForm::sbClearBlrCounterClick()
{
    ClearBlrCounter(constants);
    ShowCounters();
}
