// The tab "Ekviterma": the heating curve of EEPROM page 1 as a list and a
// graph that follows every change of the list, and its fill from a
// quadratic whose coefficients the user types.  Over the curve the graph
// shows the hours of the logs read in this window as measured points,
// while "Zobrazit naměřené body" is checked; the box is enabled only while
// there are such points, and its tip says where they come from or why
// there are none.
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
    // The logs changed, or the box was clicked.
    void cbEkvithPointsClick();

private:
    std::unique_ptr<Ui::EkvithTab> ui_;
    const HourlyLogs& logs_;
};
