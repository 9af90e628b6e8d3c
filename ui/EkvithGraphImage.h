// The image of the heating curve: white, a dotted grey grid with its scale
// labels, black axes and titles, the measured hours as points where there
// are any, and the curve through the 66 rows over them.  Where each of them
// lies is controller/EkvithGraph.h; this only paints.
#pragma once

#include <QWidget>
#include <array>

#include "controller/EkvithGraph.h"

class EkvithGraphImage : public QWidget {
    Q_OBJECT
public:
    explicit EkvithGraphImage(QWidget* parent = nullptr);

    // Takes the table's points and repaints.
    void ShowTable(const OutdoorTable& table);
    const std::array<GraphPoint, OutdoorTable::RowCount>& Points() const { return points_; }
    // Takes the hours to show as points (none to show none) and repaints.
    void ShowMeasured(std::vector<MeasuredHour> hours);
    const std::vector<GraphPoint>& MeasuredPoints() const { return measuredPoints_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    OutdoorTable table_;
    std::array<GraphPoint, OutdoorTable::RowCount> points_{};
    std::vector<MeasuredHour> measured_;
    std::vector<GraphPoint> measuredPoints_;
};
