#include "ui/EkvithGraphImage.h"

#include <QPainter>
#include <QPolygon>

#include "ui/GraphPainting.h"

namespace {

constexpr int MeasuredRadius = 2;

}  // namespace

EkvithGraphImage::EkvithGraphImage(QWidget* parent) : QWidget(parent)
{
    // Everything is painted here, the background included.
    setAttribute(Qt::WA_OpaquePaintEvent);
    points_ = EkvithGraphPoints(table_, height());
}

void EkvithGraphImage::ShowTable(const OutdoorTable& table)
{
    table_ = table;
    points_ = EkvithGraphPoints(table_, height());
    update();
}

void EkvithGraphImage::ShowMeasured(std::vector<MeasuredHour> hours)
{
    measured_ = std::move(hours);
    measuredPoints_ = EkvithMeasuredPoints(measured_, height());
    update();
}

void EkvithGraphImage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    points_ = EkvithGraphPoints(table_, height());
    measuredPoints_ = EkvithMeasuredPoints(measured_, height());
}

void EkvithGraphImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(font());
    painter.fillRect(rect(), Qt::white);

    const EkvithGraphFrame frame = EkvithGraphLayout(height());
    // The labels are drawn with the grid's pen, so they are grey like it.
    QPen grid(QColor(128, 128, 128), 0, Qt::DotLine);
    painter.setPen(grid);
    for (std::size_t i = 0; i < frame.outdoorLines.size(); ++i) {
        DrawText(painter, frame.outdoorLabels[i]);
        DrawLine(painter, frame.outdoorLines[i]);
    }
    for (std::size_t j = 0; j < frame.waterLines.size(); ++j) {
        DrawText(painter, frame.waterLabels[j]);
        DrawLine(painter, frame.waterLines[j]);
    }

    painter.setPen(QPen(Qt::black, 0, Qt::SolidLine));
    DrawLine(painter, frame.outdoorAxis);
    DrawLine(painter, frame.waterAxis);
    DrawText(painter, frame.outdoorTitle);
    DrawText(painter, frame.waterTitle);

    // Translucent, so that hours measured alike show darker.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 90, 200, 110));
    for (const GraphPoint& p : measuredPoints_)
        painter.drawEllipse(At(p), MeasuredRadius, MeasuredRadius);
    painter.restore();

    QPolygon curve;
    for (const GraphPoint& p : points_)
        curve << At(p);
    painter.drawPolyline(curve);
}
