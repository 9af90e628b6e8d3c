// The two-column list of an outdoor table ("Teplota" and the value): 66
// fixed keys, values always editable, no row added or removed.  Every change
// of its contents is reported with Changed(), each typed character included,
// so whatever draws the table follows the user's typing.  Screen readers
// name each value after its row of the page's table ("Topná voda -40 °C").
#pragma once

#include "controller/OutdoorTable.h"
#include "ui/GridView.h"

class OutdoorTableModel;

class OutdoorList : public GridView {
    Q_OBJECT
public:
    explicit OutdoorList(QWidget* parent = nullptr);

    const OutdoorTable& Table() const;
    // All 66 rows in one step: one Changed().
    void SetTable(const OutdoorTable& table);

    // The page whose rows the list shows: its column titles and the names
    // of its values.
    void ShowPage(const OutdoorPage& page);

signals:
    void Changed();

protected:
    // A click on a key edits the value beside it: only values take edits.
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    OutdoorTableModel* model_;
};
