// The chart beside the grid on "Záznamy" (imLogsChart): the window's logs
// as lines and bars, the hours selected in the grid marked.  Where every
// part lies is controller/LogChart.h; this paints it, turns a click or a
// drag into hours and shows an hour's values under the mouse.
#pragma once

#include <QWidget>
#include <optional>
#include <utility>
#include <vector>

#include "controller/LogChart.h"

class LogChartImage : public QWidget {
    Q_OBJECT
public:
    explicit LogChartImage(QWidget* parent = nullptr);

    // The logs to show, followed through every change.
    void ShowLogs(const HourlyLogs& logs);
    // Hour rows first..last, each range as the grid selects it.
    using RowRanges = std::vector<std::pair<int, int>>;
    void Mark(RowRanges ranges);
    const RowRanges& Marks() const { return marks_; }

    // Where everything lies at the widget's size, as painted.
    const LogChartLayout& Layout();
    // The tip at a point: the hour's values, empty off the plots.
    QString TipAt(QPoint point);
    // The whole chart at the widget's size, on any device: the screen or a
    // picture file.
    void Paint(QPainter& painter);

signals:
    // A click (anchor == row) or a drag over the plots, from the hour where
    // it began to the hour under the mouse; with Shift a click reaches from
    // the last anchor.
    void HoursPicked(int anchorRow, int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void Relayout();

    const HourlyLogs* logs_ = nullptr;
    HourlyLogs none_;  // shown until ShowLogs
    std::optional<LogChartLayout> layout_;  // made again when needed
    RowRanges marks_;
    std::optional<int> anchor_;
};
