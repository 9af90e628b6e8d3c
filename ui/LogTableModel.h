// The log table behind the grid sgLogs, over the window's HourlyLogs.  The
// grid's fixed heading row is the view's horizontal header; the fixed
// time-label column is column 0 of the model, drawn like a heading and never
// selected.  Every change of the logs is one notification for the whole
// table, so filling 1285 cells repaints the view once.
#pragma once

#include <QAbstractTableModel>

#include "controller/LogTable.h"

class LogTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit LogTableModel(const HourlyLogs& logs, QObject* parent = nullptr);

    const LogTable& Table() const { return table_; }

    // Model row i is hour row i + 1 of the table.
    static int TableRow(int modelRow) { return modelRow + 1; }
    static int ModelRow(int tableRow) { return tableRow - 1; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void LogsChanged();

    LogTable table_;
};
