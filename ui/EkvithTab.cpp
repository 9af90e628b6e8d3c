#include "ui/EkvithTab.h"

#include "ui_EkvithTab.h"

EkvithTab::EkvithTab(const TabContext& context, QWidget* parent)
    : OutdoorTab(context, EkvithPage, parent), ui_(std::make_unique<Ui::EkvithTab>())
{
    ui_->setupUi(this);
    SetList(ui_->vlEkvith);
    connect(ui_->vlEkvith, &OutdoorList::Changed, this, &EkvithTab::vlEkvithStringsChange);
    connect(ui_->btFillEkvith, &QPushButton::clicked, this, &EkvithTab::btFillEkvithClick);
    // The graph of the empty list: every value counts as 20 °C.
    vlEkvithStringsChange();
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
