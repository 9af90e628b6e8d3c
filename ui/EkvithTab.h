// The tab "Ekviterma": the heating curve of EEPROM page 1 as a list and a
// graph that follows every change of the list, and its fill from a
// quadratic whose coefficients the user types.  Over the curve the graph
// shows the hours of the logs read in this window as measured points,
// while "Zobrazit naměřené body" is checked; the box is enabled only while
// there are such points, and its tip says where they come from or why
// there are none.
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
    // The logs changed, or the box was clicked.
    void cbEkvithPointsClick();

private:
    std::unique_ptr<Ui::EkvithTab> ui_;
    const HourlyLogs& logs_;
};
