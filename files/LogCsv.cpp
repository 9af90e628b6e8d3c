#include "files/LogCsv.h"

#include "controller/Win1250.h"
#include "files/AtomicFile.h"

QByteArray LogCsvBytes(const LogTable& table)
{
    QString text;
    for (int row = 0; row < Logs::RowCount; ++row) {
        for (int column = 0; column < Logs::ColumnCount; ++column) {
            if (column > 0)
                text += QLatin1Char(';');
            text += table.Cell(column, row);
        }
        text += QLatin1StringView("\r\n");
    }
    return Win1250::Encode(text);
}

std::optional<QString> SaveLogCsv(const QString& path, const LogTable& table, FileSystem& fs)
{
    return ReplaceFile(fs, path, LogCsvBytes(table));
}
