// The tab "Ekviterma": the heating curve of EEPROM page 1 as a list and a
// graph that follows every change of the list, and its fill from a
// quadratic whose coefficients the user types.
#pragma once

#include <memory>

#include "files/ParameterSections.h"
#include "ui/OutdoorTab.h"

namespace Ui {
class EkvithTab;
}

class EkvithTab : public OutdoorTab {
    Q_OBJECT
public:
    EkvithTab(const TabContext& context, QWidget* parent = nullptr);
    ~EkvithTab() override;

    void ShowStored(const StoredSettings& settings) override;
    void CollectStored(StoredSettings& settings) const override;

    // The section "Ekvith" of a parameter file: the rows and the texts.
    void Load(const QString& path) override;
    void Save(const QString& path) override;

    // The texts of the edits "A = ", "B = ", "C = ", as typed.
    using Coefficients = EkvithFillTexts;
    Coefficients FillTexts() const;
    void SetFillTexts(const Coefficients& texts);

public slots:
    void btFillEkvithClick();
    void vlEkvithStringsChange();

private:
    std::unique_ptr<Ui::EkvithTab> ui_;
};
