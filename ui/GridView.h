// A grid of the window as the keyboard works it: the arrows move within
// it, Tab leaves it for the next widget, from a cell's editor too (the edit
// stored).  Qt's table goes on to the next cell instead, and from a list
// whose editor opens on every move Tab would never get out.
#pragma once

#include <QTableView>

class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);

protected slots:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
};
