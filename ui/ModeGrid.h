// The week grid `dgMode` of the tab "Režim": a fixed row of day names, a
// fixed column of slot starts, and 7 × 96 cells painted from the time
// program alone, so a cell always shows what the program holds.
//
// The table's headers are the fixed row and column; its 7 × 96 items are
// the data cells, column = day and row = slot.
#pragma once

#include <QAbstractTableModel>
#include <QPoint>

#include "ui/GridView.h"

#include "controller/ModeProgram.h"

class ModeGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The cell's byte, for painting.
    static constexpr int CellRole = Qt::UserRole;

    ModeGridModel(ModeProgram& program, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // Display: CellDisplayText; edit: CellEditText; screen readers: the
    // cell's name and text as the program's table gives them.
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Edit role: ApplyCellEditText.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    void Cycle(const QModelIndex& index);
    // The whole program changed behind the model's back.
    void ProgramReplaced();

private:
    ModeProgram& program_;
};

class ModeGrid : public GridView {
    Q_OBJECT
public:
    // Interior of a cell; each cell has a one-pixel grid line to its right
    // and below.
    static constexpr int ColumnWidth = 68;
    static constexpr int RowHeight = 16;
    static constexpr int GridLine = 1;
    // Where a day's name starts in its fixed cell: the names are not centred.
    static constexpr QPoint DayNameAt{16, 2};

    explicit ModeGrid(QWidget* parent = nullptr);

    // Once, by the owner of the program, which outlives the grid.
    void SetProgram(ModeProgram& program);
    void ProgramReplaced();

    ModeGridModel* Model() const { return model_; }
    QColor GridLineColour() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Space cycles the current cell, as the right button does.
    void keyPressEvent(QKeyEvent* event) override;
    // The right button cycles the cell under it and moves nothing.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    ModeGridModel* model_ = nullptr;
    QWidget* corner_ = nullptr;
};
