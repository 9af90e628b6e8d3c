// A grid whose cells its owner paints and edits: fixed columns at the left
// in the colour of buttons, cells of fixed size each followed by a line of
// one pixel (drawn or left blank as chosen), no headers, and an in-place
// editor that starts with the owner's text and hands the edited text back
// when it closes.  The grid keeps no data of its own: three handlers of the
// owner do the painting and the editing.
#pragma once

#include <functional>

#include "ui/GridView.h"

class QPainter;

class DrawGrid : public GridView {
    Q_OBJECT
public:
    struct Handlers {
        // Paints the cell's contents; the background is done, the painter
        // has the grid's font and the text colour for the cell's state.
        std::function<void(QPainter& painter, const QRect& cell, int column, int row)> drawCell;
        // Editing is on when both are given.  setEditText gets whatever the
        // user left in the editor; the owner decides what it means.
        std::function<QString(int column, int row)> getEditText;
        std::function<void(int column, int row, const QString& text)> setEditText;
        // What screen readers say of a cell: where it lies and what it shows.
        std::function<QString(int column, int row)> readCell;
    };
    // Which of the one-pixel lines after each cell are drawn.
    struct Lines {
        bool vertical = true;
        bool horizontal = true;
        bool fixedVertical = true;
        bool fixedHorizontal = true;
    };

    explicit DrawGrid(QWidget* parent = nullptr);
    ~DrawGrid() override;

    void SetShape(int columns, int rows, int fixedColumns);
    // Sizes without the line; every column takes defaultWidth unless set.
    void SetCellSizes(int defaultWidth, int rowHeight);
    void SetColumnWidth(int column, int width);
    void SetLines(Lines lines);
    void SetHandlers(Handlers handlers);

    int FixedColumns() const;
    // The cell without its line, in viewport coordinates.
    QRect CellRect(int column, int row) const;
    // Paints every cell afresh from the owner's data.
    void Redraw();

protected:
    // Enter opens the editor as F2 does (in the editor it stores the text).
    void keyPressEvent(QKeyEvent* event) override;
    // The keys move over the cells that hold data, never into a fixed column.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    class Model;
    class Delegate;
    Model* model_;
    Lines lines_;
};
