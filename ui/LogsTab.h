// The tab "Záznamy": the Controller's hourly logs in the grid sgLogs, one
// row per hour, oldest first, and beside it the chart imLogsChart of the
// same hours.  "Načíst" reads page 0 and the four log rings into the
// window's logs, "Uložit..." saves the table as CSV, "Kopírovat" puts the
// selected rows on the clipboard.  Rows selected in the grid are marked in
// the chart, hours picked in the chart are selected in the grid, and the
// chart's menu saves it as a picture.  Nothing is ever written to the
// Controller.
#pragma once

#include <QDateTime>
#include <functional>
#include <memory>

#include "ui/LogTableModel.h"
#include "ui/TabPage.h"

namespace Ui {
class LogsTab;
}

class LogsTab : public TabPage {
    Q_OBJECT
public:
    LogsTab(const TabContext& context, QWidget* parent = nullptr);
    ~LogsTab() override;

    TabPolicy Policy() const override;
    // Showing the tab: fresh time labels; the values stay.
    void Entered() override;
    // Each page is shown as it arrives; a failed page ends the read with the
    // columns before it new and the others as they were.
    void Read() override;
    void Save(const QString& path) override;

    // The PC's local time, replaceable so that the labels can be checked at
    // any moment.
    void SetClock(std::function<QDateTime()> now) { now_ = std::move(now); }
    HourlyLogs& WindowLogs() { return context_.logs; }

public slots:
    void btLogsCopyClick();
    void sgLogsSelectionChange();
    void imLogsChartHoursPicked(int anchorRow, int row);
    // "Uložit graf jako obrázek..." of the chart's menu.
    void acSaveChartClick();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::unique_ptr<Ui::LogsTab> ui_;
    TabContext context_;
    LogTableModel model_;
    std::function<QDateTime()> now_;
    int bottomGap_ = 0;  // the grid and the chart reach down to the tab's bottom edge less this
};
