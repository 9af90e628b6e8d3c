// The image of the heating curve: white, a dotted grey grid with its scale
// labels, black axes and titles, and the curve through the 66 rows.  Where
// each of them lies is controller/EkvithGraph.h; this only paints.
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    OutdoorTable table_;
    std::array<GraphPoint, OutdoorTable::RowCount> points_{};
};
