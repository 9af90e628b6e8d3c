// The tab "Zeď": the wall table of EEPROM page 2 as a list, its fill from a
// plain wall with a sensor inside it, and the wall-compensation multiplier
// that the fill suggests (shown only, never written).
#pragma once

#include <memory>

#include "files/ParameterSections.h"
#include "ui/OutdoorTab.h"

namespace Ui {
class WallTab;
}

class WallTab : public OutdoorTab {
    Q_OBJECT
public:
    WallTab(const TabContext& context, QWidget* parent = nullptr);
    ~WallTab() override;

    // The spin edits from the stored settings, and edEkvithFillB from the
    // curve's stored B; only the spin edits go back.
    void ShowStored(const StoredSettings& settings) override;
    void CollectStored(StoredSettings& settings) const override;

    // The section "Wall" of a parameter file: the rows and the fill inputs.
    void Load(const QString& path) override;
    void Save(const QString& path) override;

    // The fill inputs as a parameter file keeps them: the spin edits' values
    // (taken without limits) and the text of edEkvithFillB.
    using Inputs = WallFillInputs;
    Inputs FillInputs() const;
    void SetFillInputs(const Inputs& inputs);

public slots:
    void btFillWallClick();

private:
    std::unique_ptr<Ui::WallTab> ui_;
};
