// The two-column list of an outdoor table ("Teplota" and the value): 66
// fixed keys, values always editable, no row added or removed.  Every change
// of its contents is reported with Changed(), each typed character included,
// so whatever draws the table follows the user's typing.
#pragma once

#include <QTableView>

#include "controller/OutdoorTable.h"

class OutdoorTableModel;

class OutdoorList : public QTableView {
    Q_OBJECT
    // The column titles, set from the tab's .ui.
    Q_PROPERTY(QString keyTitle READ KeyTitle WRITE setKeyTitle)
    Q_PROPERTY(QString valueTitle READ ValueTitle WRITE setValueTitle)
public:
    explicit OutdoorList(QWidget* parent = nullptr);

    const OutdoorTable& Table() const;
    // All 66 rows in one step: one Changed().
    void SetTable(const OutdoorTable& table);

    QString KeyTitle() const;
    QString ValueTitle() const;
    void setKeyTitle(const QString& title);
    void setValueTitle(const QString& title);

signals:
    void Changed();

protected:
    // A click on a key edits the value beside it: only values take edits.
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    OutdoorTableModel* model_;
};
