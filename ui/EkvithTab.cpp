#include "ui/EkvithTab.h"

#include "controller/MeasuredHours.h"
#include "ui_EkvithTab.h"

EkvithTab::EkvithTab(const TabContext& context, QWidget* parent)
    : OutdoorTab(context, EkvithPage, parent), ui_(std::make_unique<Ui::EkvithTab>()), logs_(context.logs)
{
    ui_->setupUi(this);
    SetList(ui_->vlEkvith);
    connect(ui_->vlEkvith, &OutdoorList::Changed, this, &EkvithTab::vlEkvithStringsChange);
    connect(ui_->btFillEkvith, &QPushButton::clicked, this, &EkvithTab::btFillEkvithClick);
    connect(ui_->cbEkvithPoints, &QCheckBox::toggled, this, &EkvithTab::cbEkvithPointsClick);
    connect(&logs_, &HourlyLogs::Changed, this, &EkvithTab::cbEkvithPointsClick);
    // The graph of the empty list: every value counts as 20 °C.
    vlEkvithStringsChange();
    cbEkvithPointsClick();
}

EkvithTab::~EkvithTab() = default;

void EkvithTab::btFillEkvithClick()
{
    const auto filled = FillEkvith(ui_->leEkvithFillA->text(), ui_->leEkvithFillB->text(), ui_->leEkvithFillC->text());
    if (const auto* table = std::get_if<OutdoorTable>(&filled))
        SetTable(*table);
    else
        Report(std::get<FloatFault>(filled));
}

void EkvithTab::vlEkvithStringsChange()
{
    ui_->imEkvithGraph->ShowTable(Table());
}

void EkvithTab::cbEkvithPointsClick()
{
    const MeasuredHours measured = PairMeasuredHours(logs_);
    const bool ready = measured.state == MeasuredHours::State::Ready;
    QCheckBox* box = ui_->cbEkvithPoints;
    box->setEnabled(ready);
    EkvithGraphImage* graph = ui_->imEkvithGraph;
    graph->ShowMeasured(ready && box->isChecked() ? measured.hours : std::vector<MeasuredHour>{});
    box->setToolTip(MeasuredHoursTip(measured, int(EkvithMeasuredPoints(measured.hours, graph->height()).size())));
}
