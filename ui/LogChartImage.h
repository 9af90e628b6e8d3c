// The chart beside the grid on "Záznamy" (imLogsChart): the window's logs
// as lines and bars, the hours selected in the grid marked.  Where every
// part lies is controller/LogChart.h; this paints it, turns a click, a drag
// or a key into hours and shows an hour's values under the mouse or where
// the keys moved to.
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
    // Hour rows first..last, each range as the grid selects it.  The keys
    // go on from the last range's end, unless the chart's own pick lies in
    // the ranges.
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
    // the last anchor.  The keys pick the same way: Left and Right move an
    // hour, Page Up and Page Down a day, Home and End to the first and the
    // last hour, with Shift from the anchor.
    void HoursPicked(int anchorRow, int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

private:
    void Relayout();
    void Pick(int anchorRow, int row);

    const HourlyLogs* logs_ = nullptr;
    HourlyLogs none_;  // shown until ShowLogs
    std::optional<LogChartLayout> layout_;  // made again when needed
    RowRanges marks_;
    std::optional<int> anchor_;
    std::optional<int> picked_;  // where the last pick ended: the keys go on from there
};
