#include "ui/WallTab.h"

#include <QLineEdit>

#include "controller/IntegerText.h"
#include "shell/ParameterFileOpen.h"
#include "shell/StoredSettings.h"
#include "ui_WallTab.h"

namespace {

// A stored integer as the spin edit's value; anything else stays as text.
void ShowText(SpinEdit* spin, const QString& text)
{
    if (const auto value = ParseIntegerText(text))
        spin->setValue(*value);
    else
        spin->findChild<QLineEdit*>()->setText(text);
}

}  // namespace

WallTab::WallTab(const TabContext& context, QWidget* parent)
    : OutdoorTab(context, {&ReadWall, &WriteWall}, parent), ui_(std::make_unique<Ui::WallTab>())
{
    ui_->setupUi(this);
    SetList(ui_->vlWall);
    connect(ui_->btFillWall, &QPushButton::clicked, this, &WallTab::btFillWallClick);
}

WallTab::~WallTab() = default;

void WallTab::ShowStored(const StoredSettings& settings)
{
    ShowText(ui_->seWallDepth, settings.WallDepth);
    ShowText(ui_->seWallTemp, settings.WallTemp);
    ShowText(ui_->seWallSensDepth, settings.WallSensDepth);
    ui_->edEkvithFillB->setText(settings.EkvithFillB);
}

void WallTab::CollectStored(StoredSettings& settings) const
{
    // The texts as they stand, numbers or not.  EkvithFillB is the curve
    // tab's: this tab's copy is never stored.
    settings.WallDepth = ui_->seWallDepth->text();
    settings.WallTemp = ui_->seWallTemp->text();
    settings.WallSensDepth = ui_->seWallSensDepth->text();
}

WallTab::Inputs WallTab::FillInputs() const
{
    return {ui_->seWallDepth->value(), ui_->seWallTemp->value(), ui_->seWallSensDepth->value(),
            ui_->edEkvithFillB->text()};
}

void WallTab::SetFillInputs(const Inputs& inputs)
{
    ui_->seWallDepth->setValue(inputs.WallDepth);
    ui_->seWallTemp->setValue(inputs.WallTemp);
    ui_->seWallSensDepth->setValue(inputs.WallSensDepth);
    ui_->edEkvithFillB->setText(inputs.EkvithFillB);
}

void WallTab::Load(const QString& path)
{
    const auto file = OpenParameterFile(path, Context().dialogs, Context().files);
    if (!file)
        return;
    const auto section = LoadWallSection(*file);
    SetFillInputs(section.inputs);
    SetTable(section.table);
}

void WallTab::Save(const QString& path)
{
    if (SaveWallSection(path, {Table(), FillInputs()}, Context().files))
        ReportUnableToWrite(path);
}

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
