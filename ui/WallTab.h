// The tab "Zeď": the wall table of EEPROM page 2 as a list, its fill from a
// plain wall with a sensor inside it, and the wall-compensation multiplier
// that the fill suggests (shown only, never written).
#pragma once

#include <memory>

#include "ui/OutdoorTab.h"

namespace Ui {
class WallTab;
}

class WallTab : public OutdoorTab {
    Q_OBJECT
public:
    WallTab(const TabContext& context, QWidget* parent = nullptr);
    ~WallTab() override;

public slots:
    void btFillWallClick();

private:
    std::unique_ptr<Ui::WallTab> ui_;
};
