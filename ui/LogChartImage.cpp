#include "ui/LogChartImage.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QStyleOptionFocusRect>
#include <QToolTip>
#include <algorithm>

#include "controller/LogTable.h"
#include "ui/GraphPainting.h"

namespace {

// The colour of each value column, in the lines, the bars and the legend.
QColor SeriesColor(int column)
{
    static const QColor colors[] = {QColor(200, 40, 40), QColor(30, 90, 200), QColor(30, 140, 60),
                                    QColor(235, 150, 50)};
    return colors[column - Logs::FirstValueColumn];
}

constexpr int HoursPerDay = 24;

const QColor Grid(170, 170, 170);
const QColor Marked(60, 140, 230, 60);

void DrawPanel(QPainter& painter, const ChartPanel& panel)
{
    painter.setPen(QPen(Qt::black, 0));
    DrawLine(painter, panel.axis);
    DrawLine(painter, panel.base);
    DrawText(painter, panel.title);
    for (const GraphText& label : panel.labels)
        DrawText(painter, label);
}

}  // namespace

LogChartImage::LogChartImage(QWidget* parent) : QWidget(parent), logs_(&none_)
{
    // Everything is painted here, the background included.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The keys pick hours as the mouse does, and the menu key opens the
    // chart's own menu.
    setFocusPolicy(Qt::StrongFocus);
}

void LogChartImage::ShowLogs(const HourlyLogs& logs)
{
    if (logs_ != &none_)
        disconnect(logs_, nullptr, this, nullptr);
    logs_ = &logs;
    connect(logs_, &HourlyLogs::Changed, this, &LogChartImage::Relayout);
    Relayout();
}

void LogChartImage::Mark(RowRanges ranges)
{
    marks_ = std::move(ranges);
    const auto holdsPick = [this](const std::pair<int, int>& range) {
        return picked_ && *picked_ >= range.first && *picked_ <= range.second;
    };
    // Picked in the grid: the keys go on from there.
    if (!marks_.empty() && std::none_of(marks_.begin(), marks_.end(), holdsPick)) {
        anchor_ = marks_.back().first;
        picked_ = marks_.back().second;
    }
    update();
}

void LogChartImage::Pick(int anchorRow, int row)
{
    anchor_ = anchorRow;
    picked_ = row;
    emit HoursPicked(anchorRow, row);
}

void LogChartImage::Relayout()
{
    layout_.reset();
    update();
}

void LogChartImage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layout_.reset();
}

const LogChartLayout& LogChartImage::Layout()
{
    if (!layout_) {
        const QFontMetrics metrics = fontMetrics();
        layout_ = LayOutLogChart(*logs_, width(), height(),
                                 {[metrics](const QString& text) { return metrics.horizontalAdvance(text); },
                                  metrics.height()});
    }
    return *layout_;
}

QString LogChartImage::TipAt(QPoint point)
{
    const auto row = Layout().RowAt({point.x(), point.y()});
    return row ? LogTable(*logs_).HourTip(*row) : QString();
}

void LogChartImage::Paint(QPainter& painter)
{
    const LogChartLayout& chart = Layout();
    painter.setFont(font());
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(rect(), Qt::white);

    for (const auto& [first, last] : marks_)
        painter.fillRect(At(chart.Span(first, last)), Marked);

    painter.setPen(QPen(Grid, 0, Qt::DotLine));
    for (const ChartPanel* panel : {&chart.temperature, &chart.boiler})
        for (const GraphLine& line : panel->grid)
            DrawLine(painter, line);
    for (const GraphLine& line : chart.midnights)
        DrawLine(painter, line);

    for (const GraphRect& bar : chart.bars)
        painter.fillRect(At(bar), SeriesColor(Logs::BoilerColumn));
    for (std::size_t k = 0; k < chart.lines.size(); ++k) {
        QPolygon line;
        for (const GraphPoint& p : chart.lines[k])
            line << At(p);
        painter.setPen(QPen(SeriesColor(Logs::FirstValueColumn + int(k)), 0));
        painter.drawPolyline(line);
    }

    DrawPanel(painter, chart.temperature);
    DrawPanel(painter, chart.boiler);
    for (const GraphText& day : chart.days)
        DrawText(painter, day);
    for (const ChartLegendItem& item : chart.legend) {
        const QColor color = SeriesColor(item.column);
        const QRect swatch = At(item.swatch);
        if (QuantityOf(item.column) == LogQuantity::Seconds) {
            painter.fillRect(swatch, color);
        } else {
            painter.setPen(QPen(color, 2));
            painter.drawLine(swatch.left(), swatch.center().y(), swatch.right(), swatch.center().y());
        }
        painter.setPen(QPen(Qt::black, 0));
        DrawText(painter, item.text);
    }
}

void LogChartImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Paint(painter);
    // Only on the screen: a saved picture has no focus.
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.backgroundColor = Qt::white;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void LogChartImage::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void LogChartImage::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void LogChartImage::mousePressEvent(QMouseEvent* event)
{
    const auto row = Layout().RowAt({event->position().toPoint().x(), event->position().toPoint().y()});
    if (event->button() != Qt::LeftButton || !row)
        return QWidget::mousePressEvent(event);
    const bool extend = anchor_ && (event->modifiers() & Qt::ShiftModifier);
    Pick(extend ? *anchor_ : *row, *row);
}

void LogChartImage::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) || !anchor_)
        return QWidget::mouseMoveEvent(event);
    // Past either end of the plots the drag holds at the first or last hour.
    const LogChartLayout& chart = Layout();
    const GraphRect hours = chart.Span(1, Logs::Hours);
    const int x = std::clamp(event->position().toPoint().x(), hours.x, hours.Right() - 1);
    if (const auto row = chart.RowAt({x, hours.y}))
        Pick(*anchor_, *row);
}

void LogChartImage::keyPressEvent(QKeyEvent* event)
{
    const int from = picked_.value_or(Logs::Hours);
    int to = from;
    switch (event->key()) {
    case Qt::Key_Left: to = from - 1; break;
    case Qt::Key_Right: to = from + 1; break;
    case Qt::Key_PageUp: to = from - HoursPerDay; break;
    case Qt::Key_PageDown: to = from + HoursPerDay; break;
    case Qt::Key_Home: to = 1; break;
    case Qt::Key_End: to = Logs::Hours; break;
    default: return QWidget::keyPressEvent(event);
    }
    to = std::clamp(to, 1, Logs::Hours);
    const bool extend = anchor_ && (event->modifiers() & Qt::ShiftModifier);
    Pick(extend ? *anchor_ : to, to);
    // The hour's values, as hovering shows them.
    const GraphRect hour = Layout().Span(to, to);
    QToolTip::showText(mapToGlobal(QPoint(hour.x, hour.y)), LogTable(*logs_).HourTip(to), this);
}

bool LogChartImage::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = TipAt(help->pos());
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), tip, this);
    }
    return true;
}
