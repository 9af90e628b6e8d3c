#include "ui/LogTableModel.h"

#include <QApplication>
#include <QPalette>

LogTableModel::LogTableModel(const HourlyLogs& logs, QObject* parent) : QAbstractTableModel(parent), table_(logs)
{
    connect(&logs, &HourlyLogs::Changed, this, &LogTableModel::LogsChanged);
}

void LogTableModel::LogsChanged()
{
    emit headerDataChanged(Qt::Horizontal, 0, Logs::ColumnCount - 1);
    emit dataChanged(index(0, 0), index(Logs::Hours - 1, Logs::ColumnCount - 1), {Qt::DisplayRole});
}

int LogTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Logs::Hours;
}

int LogTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Logs::ColumnCount;
}

QVariant LogTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return table_.Cell(index.column(), TableRow(index.row()));
    // The fixed column looks like the heading above it.
    if (role == Qt::BackgroundRole && index.column() == 0)
        return QApplication::palette().button();
    return {};
}

QVariant LogTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < Logs::ColumnCount)
        return table_.Cell(section, 0);
    return {};
}

Qt::ItemFlags LogTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Enabled but not editable; the fixed column is never part of a selection.
    return index.column() == 0 ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
