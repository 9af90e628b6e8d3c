#include "ui/ChartImageFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include "files/AtomicFile.h"

ChartFormat ChartFormatFor(const QString& path)
{
    return path.endsWith(QLatin1StringView(".svg"), Qt::CaseInsensitive) ? ChartFormat::Svg : ChartFormat::Png;
}

QByteArray ChartImageBytes(ChartFormat format, QSize size, const ChartPainter& paint)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    if (format == ChartFormat::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        QPainter painter;
        if (!painter.begin(&svg))
            return {};
        paint(painter);
        return painter.end() ? bytes : QByteArray();
    }
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    paint(painter);
    painter.end();
    return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

std::optional<QString> SaveChartImage(FileSystem& fs, const QString& path, QSize size, const ChartPainter& paint)
{
    const QByteArray bytes = ChartImageBytes(ChartFormatFor(path), size, paint);
    if (bytes.isEmpty())
        return QCoreApplication::translate("ChartImageFile", "the picture could not be encoded");
    return ReplaceFile(fs, path, bytes);
}
