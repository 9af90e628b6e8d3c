#include "ui/ClockTab.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

#include "controller/ClockSetting.h"
#include "controller/RegulationConstants.h"
#include "link/PageMap.h"
#include "shell/Dialogs.h"
#include "shell/Texts.h"
#include "ui/ArrowIcon.h"
#include "ui/FieldBinder.h"
#include "ui/QtColour.h"
#include "ui_ClockTab.h"

namespace {

constexpr int ClockFontPixels = 13;

void SetClockFont(QWidget* widget, bool bold)
{
    QFont font = widget->font();
    font.setPixelSize(ClockFontPixels);
    font.setBold(bold);
    widget->setFont(font);
}

// The clock fields are disabled because they only display, not because
// their text does not count: it keeps the colour of live text.
void KeepTextReadable(QWidget* display)
{
    QPalette palette = display->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text, palette.color(QPalette::Active, QPalette::Text));
    display->setPalette(palette);
}

// The smallest font a sensor name is set in: still easy to read at a
// glance beside the window's 11 pixels.
constexpr int MinNamePixels = 9;

// A name may fill all its 16 bytes.  The column holds sixteen letters of an
// ordinary name in the window's font; a wider one (capitals throughout) is
// set smaller, down to MinNamePixels, and only past that is it cut with an
// ellipsis.  Screen readers and the tool tip always get the whole name.
void ShowSensorName(QLabel* label, const QString& name)
{
    QFont font = label->parentWidget()->font();
    const int room = label->contentsRect().width();
    for (int pixels = QFontInfo(font).pixelSize();
         pixels > MinNamePixels && QFontMetrics(font).horizontalAdvance(name) > room;)
        font.setPixelSize(--pixels);
    label->setFont(font);
    label->setText(QFontMetrics(font).elidedText(name, Qt::ElideRight, room));
    label->setToolTip(name);
    label->setAccessibleName(name);
}

void ColourPanel(QWidget* panel, bool on)
{
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, ToQColor(OutputColour(on)));
    panel->setPalette(palette);
    panel->setAccessibleDescription(OutputStateText(on));
}

}  // namespace

ClockTab::ClockTab(const TabContext& context, QWidget* parent)
    : TabPage(parent), ui_(std::make_unique<Ui::ClockTab>()), context_(context), pcClock_([] { return QDateTime::currentDateTime(); })
{
    ui_->setupUi(this);

    for (QWidget* bold : {static_cast<QWidget*>(ui_->edClockReg), static_cast<QWidget*>(ui_->edClockPC),
                          static_cast<QWidget*>(ui_->edClockHandHour), static_cast<QWidget*>(ui_->edClockHandMin),
                          static_cast<QWidget*>(ui_->edClockHandSec)})
        SetClockFont(bold, true);
    SetClockFont(ui_->cbClockHandDay, false);
    KeepTextReadable(ui_->edClockReg);
    KeepTextReadable(ui_->edClockPC);
    // The list offers the seven days; "(chyba)" is only ever shown.
    ui_->cbClockHandDay->addItems(WeekdayNames().mid(0, 7));

    ui_->sbClockUpdateByPC->setIcon(ArrowIcon(ArrowDirection::Left));
    ui_->sbClockUpdateHandByPC->setIcon(ArrowIcon(ArrowDirection::Down));
    ui_->sbClockUpdateByHand->setIcon(ArrowIcon(ArrowDirection::Left));
    for (QToolButton* button : {ui_->sbClockUpdateByPC, ui_->sbClockUpdateHandByPC, ui_->sbClockUpdateByHand})
        button->setIconSize(button->size() - QSize(6, 6));

    connect(ui_->sbClockUpdateByPC, &QToolButton::clicked, this, &ClockTab::sbClockUpdateByPCClick);
    connect(ui_->sbClockUpdateByHand, &QToolButton::clicked, this, &ClockTab::sbClockUpdateByHandClick);
    connect(ui_->sbClockUpdateHandByPC, &QToolButton::clicked, this, &ClockTab::sbClockUpdateHandByPCClick);
}

ClockTab::~ClockTab() = default;

TabPolicy ClockTab::Policy() const
{
    return Policy::StatusTab();
}

template <typename W>
W* ClockTab::Named(const QString& name) const
{
    auto found = named_.find(name);
    if (found == named_.end())
        found = named_.insert(name, FindWidget(this, name));
    Q_ASSERT_X(*found, "ClockTab", qPrintable(name));
    return qobject_cast<W*>(*found);
}

QLabel* ClockTab::LabelOf(const QString& key, const char* suffix) const
{
    return Named<QLabel>(QStringLiteral("lb") + key + QLatin1StringView(suffix));
}

void ClockTab::Entered()
{
    lastStatusMinute = NoStatusMinute;
    // The page read below blocks for a quarter of a second: draw the tab
    // first.  Painted here and now, not by running the event loop: a close
    // from the window manager or a quit signal would run in the middle and
    // close the port under the read.  Every event, a close included, waits
    // until the entry is done.
    window()->repaint();
    PageBuffer page{};
    if (!context_.link.ReadPage(Page::Constants, page))
        return;
    const SensorTexts names = SensorNames(page);
    for (const FieldSpec& row : ConstantsTable)
        if (row.kind == RowKind::NameSlot)
            ShowSensorName(LabelOf(row.Key()), names[std::size_t(row.number)]);
    StatusTick();
}

void ClockTab::StatusTick()
{
    const StatusShow show =
        RunStatusTick(context_.link, ui_->cbSensorsQuick->isChecked(), lastStatusMinute, pcClock_);
    lastStatusMinute = show.lastStatusMinute;
    Show(show);
}

void ClockTab::Show(const StatusShow& show)
{
    if (show.controllerClock)
        ui_->edClockReg->setText(*show.controllerClock);
    if (show.pcClock)
        ui_->edClockPC->setText(*show.pcClock);
    if (show.outputs) {
        // Each output on the panel "pa" + its key.
        StatusBlock status;
        status.outputs = *show.outputs;
        for (const auto& row : StatusTable)
            if (row.kind == RowKind::Bit)
                ColourPanel(Named<QWidget>(QStringLiteral("pa") + row.Key()), std::get<bool>(ValueIn(row, status)));
    }
    if (show.regulator)
        ShowRegulator(*show.regulator);
    if (show.sensors)
        for (const FieldSpec& row : SensorTable<RowKind::SignedByte>)
            LabelOf(row.Key())->setText((*show.sensors)[std::size_t(row.index)]);
}

void ClockTab::ShowRegulator(const RegulatorView& view)
{
    ui_->lbMode->setText(view.mode);
    for (const RegulatorLine& line : view.lines) {
        QLabel *caption = LabelOf(line.key, "Caption"), *value = LabelOf(line.key);
        if (line.caption)
            caption->setText(*line.caption);
        if (line.value)
            value->setText(*line.value);
        caption->setVisible(line.visible);
        value->setVisible(line.visible);
    }
}

void ClockTab::sbClockUpdateByPCClick()
{
    // Seconds, minutes, hours and weekday all lie in range: nothing to refuse.
    SetControllerClock(context_.link, PcControllerTime(pcClock_()));
}

void ClockTab::sbClockUpdateByHandClick()
{
    const auto parsed = ParseHandClock({ui_->edClockHandHour->text(), ui_->edClockHandMin->text(),
                                        ui_->edClockHandSec->text(), ui_->cbClockHandDay->currentIndex()});
    if (const auto* error = std::get_if<HandClockError>(&parsed)) {
        context_.dialogs.Error(error->kind == HandClockError::Kind::NotAnInteger
                                   ? Text::NotAnInteger(error->text)
                                   : Text::RangeCheckError());
        return;
    }
    // A failed exchange has been reported by the link.
    SetControllerClock(context_.link, std::get<ControllerTime>(parsed));
}

void ClockTab::sbClockUpdateHandByPCClick()
{
    const ControllerTime now = PcControllerTime(pcClock_());
    ui_->edClockHandHour->setText(TwoDigitText(now.Hour));
    ui_->edClockHandMin->setText(TwoDigitText(now.Min));
    ui_->edClockHandSec->setText(TwoDigitText(now.Sec));
    ui_->cbClockHandDay->setCurrentIndex(now.Day);
}
