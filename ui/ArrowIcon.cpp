#include "ui/ArrowIcon.h"

#include <QIconEngine>
#include <QPainter>
#include <QTransform>
#include <algorithm>

namespace {

const QColor Enabled(255, 0, 0);
const QColor Disabled(128, 128, 128);

class ArrowEngine final : public QIconEngine {
public:
    explicit ArrowEngine(ArrowDirection direction) : direction_(direction) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        // A small margin keeps the antialiased edge inside the pixmap.
        const QRectF box = QRectF(rect).adjusted(1, 1, -1, -1);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->fillPath(ArrowPath(box, direction_), mode == QIcon::Disabled ? Disabled : Enabled);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new ArrowEngine(direction_); }

private:
    ArrowDirection direction_;
};

}  // namespace

QPainterPath ArrowPath(const QRectF& box, ArrowDirection direction)
{
    // Drawn pointing left in a unit square, then turned and stretched into
    // the box; the arrow keeps its proportions in a square box.
    const qreal side = std::min(box.width(), box.height());
    QPainterPath unit;
    unit.moveTo(0.0, 0.5);
    unit.lineTo(0.5, 0.1);
    unit.lineTo(0.5, 1.0 / 3);
    unit.lineTo(1.0, 1.0 / 3);
    unit.lineTo(1.0, 2.0 / 3);
    unit.lineTo(0.5, 2.0 / 3);
    unit.lineTo(0.5, 0.9);
    unit.closeSubpath();

    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(side, side);
    if (direction == ArrowDirection::Down)
        t.rotate(-90);  // the tip from the left to the bottom
    t.translate(-0.5, -0.5);
    return t.map(unit);
}

QIcon ArrowIcon(ArrowDirection direction)
{
    return QIcon(new ArrowEngine(direction));
}
