#include "files/DebugTextFile.h"

#include <QRegularExpression>

#include "controller/Win1250.h"

QStringList TextLines(const QString& text)
{
    // A pasted text may bring its own line ends, and a text field may hold
    // Unicode's line and paragraph separators; each ends a line.
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|[\r\n\u2028\u2029]"));
    QStringList lines = text.split(lineEnd);
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray DebugTextFileBytes(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += Win1250::Encode(line) + "\r\n";
    return bytes;
}
