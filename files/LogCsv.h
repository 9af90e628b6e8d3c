// The log table as a CSV file: every row, headings first, the five texts
// joined by ";" and ended by CR LF, in Windows-1250, no byte-order mark.
// No text of the table can hold a ";" or a line break, so nothing is quoted.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "controller/LogTable.h"
#include "files/FileSystem.h"

QByteArray LogCsvBytes(const LogTable& table);

// Replaces the file whole (files/AtomicFile.h): empty on success, else the
// system's description of the failure, with nothing of the file written.
std::optional<QString> SaveLogCsv(const QString& path, const LogTable& table, FileSystem& fs = RealFileSystem());
