// A graph saved as a picture: SVG when the file's name ends in ".svg", PNG
// otherwise, painted by the same function that paints it on the screen and
// written by the one atomic replace (files/AtomicFile.h).
#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

#include "files/FileSystem.h"

class QPainter;

enum class ChartFormat { Png, Svg };
ChartFormat ChartFormatFor(const QString& path);

using ChartPainter = std::function<void(QPainter&)>;

// The picture's bytes; empty when it could not be encoded.
QByteArray ChartImageBytes(ChartFormat format, QSize size, const ChartPainter& paint);

// Empty on success, else what failed; a file that was there stays whole.
std::optional<QString> SaveChartImage(FileSystem& fs, const QString& path, QSize size, const ChartPainter& paint);
