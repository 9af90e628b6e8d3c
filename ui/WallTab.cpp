#include "ui/WallTab.h"

#include "ui_WallTab.h"

WallTab::WallTab(const TabContext& context, QWidget* parent)
    : OutdoorTab(context, WallPage, parent), ui_(std::make_unique<Ui::WallTab>())
{
    ui_->setupUi(this);
    SetList(ui_->vlWall);
    connect(ui_->btFillWall, &QPushButton::clicked, this, &WallTab::btFillWallClick);
}

WallTab::~WallTab() = default;

void WallTab::btFillWallClick()
{
    const WallFill fill = FillWall(ui_->seWallDepth->text(), ui_->seWallTemp->text(),
                                   ui_->seWallSensDepth->text(), ui_->edEkvithFillB->text());
    if (const auto* fault = std::get_if<FloatFault>(&fill.rows)) {
        Report(*fault);
        return;
    }
    SetTable(std::get<OutdoorTable>(fill.rows));
    if (const auto* text = std::get_if<QString>(&fill.multiplier))
        ui_->lbWallMul->setText(*text);
    else
        Report(std::get<FloatFault>(fill.multiplier));
}
