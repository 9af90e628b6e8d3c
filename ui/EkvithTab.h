// The tab "Ekviterma": the heating curve of EEPROM page 1 as a list and a
// graph that follows every change of the list, and its fill from a
// quadratic whose coefficients the user types.
#pragma once

#include <memory>

#include "ui/OutdoorTab.h"

namespace Ui {
class EkvithTab;
}

class EkvithTab : public OutdoorTab {
    Q_OBJECT
public:
    EkvithTab(const TabContext& context, QWidget* parent = nullptr);
    ~EkvithTab() override;

public slots:
    void btFillEkvithClick();
    void vlEkvithStringsChange();

private:
    std::unique_ptr<Ui::EkvithTab> ui_;
};
